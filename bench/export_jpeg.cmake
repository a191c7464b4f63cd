vantrel_bench(bench_export_jpeg ${CMAKE_CURRENT_SOURCE_DIR}/export_jpeg.cpp vantrel_export)
