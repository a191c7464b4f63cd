vantrel_fuzzer(fuzz_strat ${CMAKE_CURRENT_SOURCE_DIR}/strat.cpp vantrel_strat)
