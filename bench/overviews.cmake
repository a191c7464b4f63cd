if(TARGET vantrel_assetgen)
    vantrel_bench(bench_overviews ${CMAKE_CURRENT_SOURCE_DIR}/overviews.cpp vantrel_assetgen)
    target_compile_definitions(bench_overviews PRIVATE
        VANTREL_OVERVIEW_SOURCES="${PROJECT_SOURCE_DIR}/assets/overviews")
endif()
