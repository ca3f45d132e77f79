// libFuzzer target for the VBScript engine: the input is a script, compiled
// and run with small limits. Any crash, sanitizer report or hang is a fault;
// compile and run-time errors are expected answers.

#include "script/Engine.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 32 * 1024)
        return 0;
    // The file system component may touch only this folder.
    static QTemporaryDir *sandbox = new QTemporaryDir;

    vbs::Engine engine;
    vbs::EngineLimits limits;
    limits.timeLimitMs = 300;
    limits.maxStringLength = 1 << 20;
    limits.maxArrayElements = 1 << 18;
    engine.setLimits(limits);
    engine.setFileRoots({sandbox->path()});
    engine.setSourceName(QStringLiteral("fuzz.vbs"));
    engine.run(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    (void)engine.errorMessages();
    return 0;
}
