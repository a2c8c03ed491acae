#include "tests/support/SegmentSource.h"

#include <algorithm>
#include <cstring>

namespace harness {

size_t SegmentSource::Receive(char* buf, size_t max) {
    size_t n = std::min({segment_, max, bytes_.size() - pos_});
    memcpy(buf, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
}

}  // namespace harness
