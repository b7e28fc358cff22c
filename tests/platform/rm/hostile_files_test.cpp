// Pictures and models found by fuzzing that froze the player or ate the machine's memory: each
// must be refused as a bad file within the time and memory a file read may cost.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A read stops within about two seconds of processor time (the machine is shared, so the time
// on the clock says little); the sanitizers slow everything several times.
constexpr double kMostSeconds = kSanitized ? 10.0 : 2.0;
// Each of these files is tiny: reading it must cost nowhere near the bounds a large file has.
constexpr long kMostGrowthKb = 64L * 1024;

struct Cost {
    Status status = D3DRM_OK;
    double seconds = 0;  // processor time
    long growthKb = 0;  // growth of the peak resident size
};

rusage Usage() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage;
}

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}
double ProcessorSeconds(const rusage& usage) {
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
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
        const rusage before = Usage();
        measured.status = read();
        const rusage after = Usage();
        measured.seconds = ProcessorSeconds(after) - ProcessorSeconds(before);
        measured.growthKb = after.ru_maxrss - before.ru_maxrss;
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
