vantrel_bench(bench_video_export ${CMAKE_CURRENT_SOURCE_DIR}/video_export.cpp vantrel_export)
target_compile_definitions(bench_video_export PRIVATE
    VANTREL_OVERVIEWS_DIR="${VANTREL_HOME_DIR}/Overviews")
if(TARGET vantrel_assets)
    add_dependencies(bench_video_export vantrel_assets)
endif()
