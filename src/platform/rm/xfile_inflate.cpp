#include "platform/rm/xfile_inflate.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace roamer::rm {
namespace {

constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kMasterHeaderSize = 6;   // the whole size, then the first block's size
constexpr std::size_t kMaxBlockOut = 32786;    // what the library lets one block inflate to
constexpr unsigned kBlockSignature = 0x4B43;   // "CK"

unsigned Word(std::span<const unsigned char> bytes, std::size_t at) {
    return bytes[at] | (unsigned{bytes[at + 1]} << 8);
}

// The blocks as the library walks them: a 16-bit length, the signature, then that many bytes.
struct Block {
    std::size_t begin;
    std::size_t size;
};

bool FindBlocks(std::span<const unsigned char> bytes, std::size_t budget,
                std::vector<Block>* blocks) {
    std::size_t at = kHeaderSize + kMasterHeaderSize;
    while (at + 3 < bytes.size()) {
        const std::size_t size = Word(bytes, at);
        if (size >= kMaxBlockOut || Word(bytes, at + 2) != kBlockSignature ||
            (blocks->size() + 1) * kMaxBlockOut > budget) {
            return false;
        }
        at += 4;
        // The library lets the last block run two bytes past the end; those bytes do not exist.
        if (size > bytes.size() - at + 2) return false;
        blocks->push_back({at, std::min(size, bytes.size() - at)});
        at += size;
    }
    return true;
}

// Raw deflate, each block with the one before it as its dictionary.
class BlockInflater {
public:
    BlockInflater() { m_ready = inflateInit2(&m_stream, -MAX_WBITS) == Z_OK; }
    ~BlockInflater() {
        if (m_ready) inflateEnd(&m_stream);
    }
    BlockInflater(const BlockInflater&) = delete;
    BlockInflater& operator=(const BlockInflater&) = delete;

    // Appends the block's data to `out`.
    bool Inflate(const unsigned char* in, std::size_t size, std::vector<unsigned char>* out) {
        if (!m_ready) return false;
        const std::size_t start = out->size();
        out->resize(start + kMaxBlockOut);
        m_stream.next_in = const_cast<Bytef*>(in);  // zlib's interface is not const
        m_stream.avail_in = static_cast<uInt>(size);
        m_stream.next_out = out->data() + start;
        m_stream.avail_out = static_cast<uInt>(kMaxBlockOut);
        const int result = inflate(&m_stream, Z_SYNC_FLUSH);
        const std::size_t produced = kMaxBlockOut - m_stream.avail_out;
        out->resize(start + produced);
        if (result != Z_OK && result != Z_STREAM_END) return false;
        return inflateReset(&m_stream) == Z_OK &&
               inflateSetDictionary(&m_stream, out->data() + start,
                                    static_cast<uInt>(produced)) == Z_OK;
    }

private:
    z_stream m_stream{};
    bool m_ready = false;
};

}  // namespace

bool IsCompressedXFile(std::span<const unsigned char> bytes) {
    return bytes.size() >= kHeaderSize && std::memcmp(bytes.data(), "xof ", 4) == 0 &&
           (std::memcmp(&bytes[8], "tzip", 4) == 0 || std::memcmp(&bytes[8], "bzip", 4) == 0);
}

bool InflateXFile(std::span<const unsigned char> bytes, std::size_t budget,
                  std::vector<unsigned char>* file) {
    file->clear();
    std::vector<Block> blocks;
    if (!IsCompressedXFile(bytes) || !FindBlocks(bytes, budget, &blocks)) return false;
    const bool text = bytes[8] == 't';
    file->assign(bytes.begin(), bytes.begin() + kHeaderSize);
    std::memcpy(&(*file)[8], text ? "txt " : "bin ", 4);
    // The library skips the rest of the header's line in uncompressed text files only.
    if (text) file->push_back('\n');
    file->reserve(file->size() + blocks.size() * kMaxBlockOut);
    BlockInflater inflater;
    for (const Block& block : blocks) {
        if (!inflater.Inflate(&bytes[block.begin], block.size, file)) {
            file->clear();
            return false;
        }
    }
    return true;
}

}  // namespace roamer::rm
