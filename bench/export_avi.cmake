vantrel_bench(bench_export_avi ${CMAKE_CURRENT_SOURCE_DIR}/export_avi.cpp vantrel_export)
