# The painter benchmark also draws the same frame with Cairo and Pango directly.
target_link_libraries(bench_Painter PRIVATE velliumkit PkgConfig::CAIRO PkgConfig::PANGO)
