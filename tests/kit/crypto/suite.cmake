# The tests build reference containers with OpenSSL directly, independently of the kit.
find_package(OpenSSL 3 REQUIRED)
target_link_libraries(${suite} PRIVATE OpenSSL::Crypto)
