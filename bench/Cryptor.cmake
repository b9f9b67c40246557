# The reference loop in bench_Cryptor calls OpenSSL directly.
find_package(OpenSSL 3 REQUIRED)
target_link_libraries(bench_Cryptor PRIVATE OpenSSL::Crypto)
