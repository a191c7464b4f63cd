vantrel_bench(bench_startup ${CMAKE_CURRENT_SOURCE_DIR}/startup.cpp vantrel_app)
