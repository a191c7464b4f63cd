vantrel_bench(bench_open_strat ${CMAKE_CURRENT_SOURCE_DIR}/open_strat.cpp vantrel_editor)
