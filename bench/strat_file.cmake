vantrel_bench(bench_strat_file ${CMAKE_CURRENT_SOURCE_DIR}/strat_file.cpp vantrel_strat)
