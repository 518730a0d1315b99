// Any bytes read as a catalogue file, saved, read again and saved again: the second reading
// finds no damage and the two saves are the same bytes, so whatever a damaged file held,
// what the program saves from it reads back as the same catalogue.

#include "catalogue/DataFile.h"
#include "catalogue/ShopData.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Fail(const char *what) {
    std::fprintf(stderr, "data file round trip: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    LoadResult first;
    ReadCatalogue(bytes, first);
    std::string saved;
    if (!SerialiseCatalogue(saved))
        Fail("what was read cannot be saved");

    LoadResult second;
    ReadCatalogue(saved, second);
    if (!second.Damage.empty())
        Fail("the saved file reads back as damaged");
    std::string again;
    if (!SerialiseCatalogue(again))
        Fail("the reloaded catalogue cannot be saved");
    if (again != saved)
        Fail("the second save differs from the first");
    ClearCatalogue();
    return 0;
}
