# The encrypted container is built on OpenSSL's cipher, MAC, key-derivation and random services.
find_package(OpenSSL 3 REQUIRED)
target_link_libraries(velliumkit PRIVATE OpenSSL::Crypto)
