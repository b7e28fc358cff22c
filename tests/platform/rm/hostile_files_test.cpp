// Pictures and models found by fuzzing that froze the player or ate the machine's memory: each
// must be refused as a bad file within the time and memory a file read may cost.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/rm/model_loader.h"
#include "platform/rm/texture.h"

#if defined(__SANITIZE_ADDRESS__)
#define ROAMER_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ROAMER_UNDER_ASAN 1
#endif
#endif

namespace roamer::rm {
namespace {

#ifdef ROAMER_UNDER_ASAN
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// A read stops within about two seconds here; the sanitizers slow everything several times.
constexpr double kMostSeconds = kSanitized ? 10.0 : 2.0;
// Each of these files is tiny: reading it must cost nowhere near the bounds a large file has.
constexpr long kMostGrowthKb = 64L * 1024;

struct Cost {
    Status status = D3DRM_OK;
    double seconds = 0;
    long growthKb = 0;  // growth of the peak resident size
};

long PeakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs `read` in a child process so that its peak memory is its own, and a hang or a memory
// blow-up fails the test instead of taking the machine.
bool MeasureInChild(const std::function<Status()>& read, Cost* cost) {
    int channel[2];
    if (pipe(channel) != 0) return false;
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        close(channel[0]);
        alarm(60);
        if (!kSanitized) {  // the sanitizers reserve address space far beyond this
            const rlimit limit{4ul << 30, 4ul << 30};
            setrlimit(RLIMIT_AS, &limit);
        }
        Cost measured;
        const long before = PeakKb();
        const auto start = std::chrono::steady_clock::now();
        measured.status = read();
        measured.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        measured.growthKb = PeakKb() - before;
        const bool written = write(channel[1], &measured, sizeof measured) == sizeof measured;
        _exit(written ? 0 : 1);
    }
    close(channel[1]);
    const bool read_whole = ::read(channel[0], cost, sizeof *cost) == sizeof *cost;
    close(channel[0]);
    int wait_status = 0;
    waitpid(child, &wait_status, 0);
    return read_whole && WIFEXITED(wait_status) && WEXITSTATUS(wait_status) == 0;
}

std::string Hostile(const std::string& name) {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return std::string(root != nullptr ? root : "tests/data") + "/hostile/" + name;
}

void ExpectRefusedCheaply(const std::string& name, const std::function<Status()>& read) {
    SCOPED_TRACE(name);
    Cost cost;
    ASSERT_TRUE(MeasureInChild(read, &cost)) << "the read crashed, hung or ran out of memory";
    EXPECT_EQ(cost.status, D3DRMERR_BADFILE);
    EXPECT_LE(cost.seconds, kMostSeconds);
    if (!kSanitized) {
        EXPECT_LE(cost.growthKb, kMostGrowthKb);
    }
}

TEST(HostileFiles, PicturesOfUnlistedFormatsOrImpossibleSizesAreRefused) {
    // Radiance HDR files, whose decoder looped at the end of its data; a TGA header and a PSD
    // header claiming 8192 x 8192 pixels from 18 and 40 bytes.
    for (const char* name : {"hdr_49_bytes.hdr", "bomb_hdr.hdr", "bomb_tga.tga", "bomb_psd.psd"}) {
        ExpectRefusedCheaply(name, [name] {
            std::shared_ptr<Texture> texture;
            return Texture::Load(Hostile(name), &texture);
        });
    }
}

TEST(HostileFiles, ModelsWithCountsBeyondTheirDataAreRefused) {
    // Compressed text and binary files with huge counts inside; negative counts in text files;
    // a binary file whose mesh takes a name token's bytes for its face counts.
    for (const char* name : {"z_v100.x", "zb_v100.x", "z_v400.x", "negative_vertex_count.x",
                             "afl_crash1.x", "afl_crash2.x", "binary_239_bytes.x"}) {
        ExpectRefusedCheaply(name, [name] {
            std::vector<std::shared_ptr<Face>> faces;
            return LoadModelFaces(Hostile(name), &faces);
        });
    }
}

}  // namespace
}  // namespace roamer::rm
