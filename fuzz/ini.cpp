// Fuzzes the INI reader: any bytes must parse without a crash, and the store's written form
// must read back to the same text.
#include <cstdlib>
#include <string>

#include "files/IniStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniStore store;
    store.Parse(std::string(reinterpret_cast<const char*>(data), size));
    const std::string text = store.Text();
    IniStore again;
    again.Parse(text);
    // Only sections with keys survive a read, and keys with "=" or blanks in them cannot be
    // written faithfully, so compare the second round trip, which must be stable.
    IniStore third;
    third.Parse(again.Text());
    if (third.Text() != again.Text()) std::abort();
    store.Find("a", "b");
    store.Put("a", "b", "c");
    store.Put("a", "", "");
    return 0;
}
