# The table benchmark fills its rows with the same sample content as the cells' golden tests.
target_sources(bench_PrefsTable PRIVATE ${PROJECT_SOURCE_DIR}/tests/kit/prefslist/PrefsCellSampleContent.cpp)
target_include_directories(bench_PrefsTable PRIVATE ${PROJECT_SOURCE_DIR}/tests)
