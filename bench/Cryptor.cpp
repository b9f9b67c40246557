// Container throughput against a plain OpenSSL loop doing the same cipher and MAC work over
// the same data, plus the cost of sealing a small message with a password.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>

#include <condition_variable>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>

#include "crypto/VLDecryptor.h"
#include "crypto/VLEncryptor.h"

namespace {

constexpr std::size_t kStreamSize = 64u << 20;
constexpr std::size_t kChunkSize = 64u << 10;

const base::Data& streamData() {
    static const base::Data data = [] {
        base::Data bytes(kStreamSize);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 31 + (i >> 12));
        return bytes;
    }();
    return data;
}

// CPU time of the whole process (every thread), so the cost of the work done stays visible
// when the machine is shared and wall time mostly measures waiting for a core.
double processCPUSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct ProcessCPU {
    benchmark::State& state;
    double start = processCPUSeconds();
    ~ProcessCPU() {
        state.counters["process_cpu_ms"] =
            benchmark::Counter((processCPUSeconds() - start) * 1e3 / static_cast<double>(state.iterations()));
    }
};

const base::Data kKey(32, 0x42);
const base::Data kHMACKey(32, 0x24);
const base::Data kIV(16, 0x01);

const base::Data& sealedStream() {
    static const base::Data sealed =
        *VLEncryptor::encryptData(streamData(), kVLCryptorAES256Settings, kKey, kHMACKey, kIV);
    return sealed;
}

// The reference: one cipher context, one MAC context, one reused input and one reused output
// buffer. Each chunk is first copied into the input buffer, as a producer reading a stream
// takes it into memory; the container's feeder makes the same copy into the chunk it hands
// over, so both sides move the data the same number of times.
class PlainLoop {
public:
    PlainLoop(bool encrypt, std::size_t chunkSize) : encrypt_(encrypt), chunkSize_(chunkSize) {
        cipher_ = EVP_CIPHER_CTX_new();
        EVP_CipherInit_ex(cipher_, EVP_aes_256_cbc(), nullptr, kKey.data(), kIV.data(), encrypt ? 1 : 0);
        mac_ = EVP_MAC_fetch(nullptr, OSSL_MAC_NAME_HMAC, nullptr);
        macContext_ = EVP_MAC_CTX_new(mac_);
        char digest[] = "SHA256";
        OSSL_PARAM parameters[] = {OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_DIGEST, digest, 0),
                                   OSSL_PARAM_construct_end()};
        EVP_MAC_init(macContext_, kHMACKey.data(), kHMACKey.size(), parameters);
        input_.resize(chunkSize);
        output_.resize(chunkSize + 16);
    }
    ~PlainLoop() {
        EVP_MAC_CTX_free(macContext_);
        EVP_MAC_free(mac_);
        EVP_CIPHER_CTX_free(cipher_);
    }

    std::size_t run(const std::uint8_t* input, std::size_t size) {
        std::size_t produced = 0;
        for (std::size_t at = 0; at < size; at += chunkSize_) {
            const int length = static_cast<int>(std::min(chunkSize_, size - at));
            std::memcpy(input_.data(), input + at, static_cast<std::size_t>(length));
            int written = 0;
            if (!encrypt_) EVP_MAC_update(macContext_, input_.data(), static_cast<std::size_t>(length));
            EVP_CipherUpdate(cipher_, output_.data(), &written, input_.data(), length);
            if (encrypt_) EVP_MAC_update(macContext_, output_.data(), static_cast<std::size_t>(written));
            produced += static_cast<std::size_t>(written);
        }
        int written = 0;
        EVP_CipherFinal_ex(cipher_, output_.data(), &written);
        std::uint8_t tag[64];
        std::size_t tagLength = 0;
        EVP_MAC_final(macContext_, tag, &tagLength, sizeof tag);
        benchmark::DoNotOptimize(tag);
        return produced + static_cast<std::size_t>(written);
    }

private:
    bool encrypt_;
    std::size_t chunkSize_;
    EVP_CIPHER_CTX* cipher_ = nullptr;
    EVP_MAC* mac_ = nullptr;
    EVP_MAC_CTX* macContext_ = nullptr;
    base::Data input_;
    base::Data output_;
};

// Feeds `input` in chunks and waits for the final handler call; returns the bytes produced.
// Like any streaming producer with bounded memory, the feeder keeps at most kWindow bytes in
// flight (fed but not handed back yet): when the window is full it waits until half of it
// has been handed back. Bytes, not handler calls: a cryptor may hand back several chunks at once.
constexpr std::size_t kWindow = 1u << 20;

std::size_t stream(const std::function<std::shared_ptr<VLCryptor>(VLCryptor::Handler)>& make,
                   const base::Data& input, std::size_t chunkSize = kChunkSize) {
    struct Progress {
        std::mutex mutex;
        std::condition_variable changed;
        std::size_t fed = 0;
        std::size_t produced = 0;
        bool feederWaits = false;
        bool finished = false;

        std::size_t inFlight() const { return fed > produced ? fed - produced : 0; }
    };
    auto progress = std::make_shared<Progress>();
    const std::size_t window = std::max(kWindow, 2 * chunkSize);
    auto cryptor = make([progress, window](VLCryptor& cryptor, base::Data& chunk) {
        std::lock_guard lock(progress->mutex);
        progress->produced += chunk.size();
        progress->finished = cryptor.finished();
        if (progress->finished || (progress->feederWaits && progress->inFlight() <= window / 2))
            progress->changed.notify_one();
    });
    for (std::size_t at = 0; at < input.size(); at += chunkSize) {
        const auto begin = input.begin() + static_cast<std::ptrdiff_t>(at);
        const std::size_t size = std::min(chunkSize, input.size() - at);
        std::unique_lock lock(progress->mutex);
        if (progress->inFlight() > window) {
            progress->feederWaits = true;
            progress->changed.wait(lock,
                                   [&] { return progress->inFlight() <= window / 2 || progress->finished; });
            progress->feederWaits = false;
        }
        progress->fed += size;
        lock.unlock();
        cryptor->addData(base::Data(begin, begin + static_cast<std::ptrdiff_t>(size)));
    }
    cryptor->finish();
    std::unique_lock lock(progress->mutex);
    progress->changed.wait(lock, [&] { return progress->finished; });
    return progress->produced;
}

void BM_PlainLoopSeal(benchmark::State& state) {
    const base::Data& input = streamData();
    ProcessCPU cpu{state};
    for (auto _ : state) {
        PlainLoop loop(true, static_cast<std::size_t>(state.range(0)));
        benchmark::DoNotOptimize(loop.run(input.data(), input.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void BM_PlainLoopOpen(benchmark::State& state) {
    const base::Data& input = sealedStream();
    ProcessCPU cpu{state};
    for (auto _ : state) {
        PlainLoop loop(false, static_cast<std::size_t>(state.range(0)));
        benchmark::DoNotOptimize(loop.run(input.data() + 34, input.size() - 34 - 32));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * streamData().size()));
}

void BM_EncryptorSeal(benchmark::State& state) {
    const base::Data& input = streamData();
    auto seal = [&] {
        return stream(
            [](VLCryptor::Handler handler) {
                return VLEncryptor::create(kVLCryptorAES256Settings, kKey, kHMACKey, std::move(handler));
            },
            input, static_cast<std::size_t>(state.range(0)));
    };
    seal();  // warms the allocator, so no iteration pays for first-touch page faults
    ProcessCPU cpu{state};
    for (auto _ : state) benchmark::DoNotOptimize(seal());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void BM_DecryptorOpen(benchmark::State& state) {
    const base::Data& input = sealedStream();
    ProcessCPU cpu{state};
    for (auto _ : state) {
        const std::size_t produced = stream(
            [](VLCryptor::Handler handler) {
                return VLDecryptor::create(kKey, kHMACKey, std::move(handler));
            },
            input, static_cast<std::size_t>(state.range(0)));
        if (produced != streamData().size()) state.SkipWithError("the container did not open");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * streamData().size()));
}

void BM_PasswordSeal1KiB(benchmark::State& state) {
    const base::Data message(1024, 0x33);
    ProcessCPU cpu{state};
    for (auto _ : state) {
        benchmark::DoNotOptimize(VLEncryptor::encryptData(message, kVLCryptorAES256Settings, "a password"));
    }
}

// One PBKDF2-HMAC-SHA1 derivation of 10000 rounds straight from OpenSSL: a password seal
// needs two of them.
void BM_PlainPBKDF2(benchmark::State& state) {
    ProcessCPU cpu{state};
    const base::Data salt(8, 0x5C);
    base::Data key(32);
    for (auto _ : state) {
        PKCS5_PBKDF2_HMAC("a password", 10, salt.data(), 8, 10000, EVP_sha1(), 32, key.data());
        benchmark::DoNotOptimize(key.data());
    }
}

}  // namespace

BENCHMARK(BM_PlainLoopSeal)
    ->Arg(4u << 10)
    ->Arg(kChunkSize)
    ->Arg(1u << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_EncryptorSeal)
    ->Arg(4u << 10)
    ->Arg(kChunkSize)
    ->Arg(1u << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PlainLoopOpen)
    ->Arg(4u << 10)
    ->Arg(kChunkSize)
    ->Arg(1u << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_DecryptorOpen)
    ->Arg(4u << 10)
    ->Arg(kChunkSize)
    ->Arg(1u << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PlainPBKDF2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PasswordSeal1KiB)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    // The feeder allocates a chunk for every addData and the work queue frees it. Left to its
    // defaults, glibc hands the top of the heap back to the kernel whenever a freed chunk
    // lands there and the next chunk faults fresh pages in: noise from the allocator, not
    // from the container, that swings a run by tens of milliseconds. Keep freed memory.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 8 << 20);  // above the largest chunk: no fresh mapping per chunk
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
