# The property-list benchmark measures libplist on its own beside base::PropertyList.
target_link_libraries(bench_PropertyList PRIVATE PkgConfig::PLIST)
