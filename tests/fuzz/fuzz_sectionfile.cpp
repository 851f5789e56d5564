// libFuzzer target for the section file load: any bytes must load or be
// refused without a fault, and a loaded section must save and load back as
// itself, the save being stable.
#include "section/sectionfile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_sectionfile: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const LoadResult loaded = parseSectionFile(bytes);

    if (loaded.outcome != LoadResult::Outcome::Loaded) {
        if (loaded.outcome != LoadResult::Outcome::Unreadable || loaded.problem.isEmpty()
            || loaded.table.Naree != 1)
            fail("a refused file must say why and give one empty area");
        return 0;
    }
    if (loaded.table.Naree > SectionTable::kMaxAreas)
        fail("loaded count above the table's limit");

    const EncodedSection first = encodeSectionFile(loaded.table);
    if (first.error) {
        if (first.error->message.isEmpty())
            fail("save refused without a message");
        return 0;
    }
    const LoadResult again = parseSectionFile(first.bytes);
    if (again.outcome != LoadResult::Outcome::Loaded || !(again.table == loaded.table))
        fail("saved file does not load back as the same section");
    const EncodedSection second = encodeSectionFile(again.table);
    if (second.error || second.bytes != first.bytes)
        fail("saving the reloaded section gives different bytes");
    return 0;
}
