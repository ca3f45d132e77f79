// libFuzzer target for the preview's request reading: the input is what a
// client sends on one connection. Requests are taken off the front as the
// server does, and each complete one fills the Request collections. Any
// crash, sanitizer report or broken invariant is a fault; Invalid and
// Incomplete are expected answers.

#include "preview/AspRequest.h"
#include "preview/HttpRequestParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using preview::HttpRequestParser;
    QByteArray buffer(reinterpret_cast<const char *>(data), qsizetype(size));
    while (!buffer.isEmpty()) {
        const HttpRequestParser::Result r = HttpRequestParser::parse(buffer);
        if (r.state != HttpRequestParser::State::Complete)
            break;
        if (r.length <= 0 || r.length > buffer.size() || r.headLength > r.length
            || r.headLength + r.contentLength != r.length)
            std::abort();
        vbs::Ref<preview::AspRequest> request = vbs::makeRef<preview::AspRequest>();
        request->parseRequest(buffer.left(r.length));
        buffer.remove(0, r.length);
    }
    return 0;
}
