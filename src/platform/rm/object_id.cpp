#include "platform/rm/object_id.h"

#include <atomic>

namespace roamer::rm {

std::uint64_t NewObjectId() {
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace roamer::rm
