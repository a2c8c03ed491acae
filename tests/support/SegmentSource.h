// Reply bytes handed out a few at a time, as a network would: each Receive gives at most
// `segment` bytes, and nothing once all are given.
#pragma once
#include <string>

#include "framework/HttpProtocol.h"

namespace harness {

class SegmentSource : public fw::http::ByteSource {
public:
    SegmentSource(std::string bytes, size_t segment) : bytes_(std::move(bytes)), segment_(segment) {}
    size_t Receive(char* buf, size_t max) override;

private:
    std::string bytes_;
    size_t segment_, pos_ = 0;
};

}  // namespace harness
