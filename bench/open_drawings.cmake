vantrel_bench(bench_open_drawings ${CMAKE_CURRENT_SOURCE_DIR}/open_drawings.cpp vantrel_editor)
