#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>

#include "platform/DllCache.h"
#include "platform/PlatformCommands.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"
#include "text/TextCommands.h"

namespace {

// The probe library's file name has capitals: libNativeProbe.so.
const RtString kProbe = NATIVE_PROBE_PATH;

// Asks the loader itself whether the library is in the process.
bool Loaded(const RtString& path) {
    void* handle = dlopen(path.CText(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
}

TEST(DllCacheTest, LibraryIsLoadedOnceWhateverTheCaseOfItsName) {
    ASSERT_FALSE(Loaded(kProbe));
    {
        platform::DllCache cache;
        const platform::ProcLookup first = cache.Find(kProbe, "HalfOf");
        EXPECT_TRUE(first.libraryLoaded);
        EXPECT_NE(first.address, nullptr);
        // The capitalised path names no file: only the cache can answer it.
        EXPECT_EQ(cache.Find(UpperCase(kProbe), "HalfOf").address, first.address);
        const platform::ProcLookup missing = cache.Find(LowerCase(kProbe), "NoSuchFunction");
        EXPECT_TRUE(missing.libraryLoaded);
        EXPECT_EQ(missing.address, nullptr);
        EXPECT_EQ(cache.Count(), 1u);
        EXPECT_TRUE(Loaded(kProbe));
    }
    // One load, one release: the loader has let the library go.
    EXPECT_FALSE(Loaded(kProbe));
}

TEST(DllCacheTest, LibraryThatFailedToLoadIsTriedAgain) {
    TempDir folder;
    const RtString later = folder.File("libLater.so").c_str();
    platform::DllCache cache;
    EXPECT_FALSE(cache.Find(later, "SumOf").libraryLoaded);
    EXPECT_EQ(cache.Count(), 0u);
    std::filesystem::copy_file(kProbe.CText(), later.CText());
    // Named with "\\" between folders, as game code may.
    EXPECT_NE(cache.Find((folder.Path() + "\\libLater.so").c_str(), "SumOf").address, nullptr);
    EXPECT_EQ(cache.Count(), 1u);
}

class GetDllProcTest : public HeadlessRuntimeTest {};

TEST_F(GetDllProcTest, FunctionsAreFoundByNameAndCalledWithTheirTypes) {
    RtString name = "LIBM.SO.6";
    void* address = nullptr;
    GetDllProc(name, "cos", address);
    EXPECT_EQ(address, dlsym(RTLD_DEFAULT, "cos"));
    EXPECT_STREQ(name.CText(), "libm.so.6");

    const NativeFunction<double(double)> cosine("libm.so.6", "cos");
    const NativeFunction<double(double)> half(kProbe.CText(), "HalfOf");
    const NativeFunction<int(int, int)> sum(kProbe.CText(), "SumOf");
    const NativeFunction<int(const char*)> length(kProbe.CText(), "LengthOf");
    ASSERT_TRUE(cosine && half && sum && length);
    EXPECT_EQ(cosine(0), 1.0);
    EXPECT_EQ(half(5), 2.5);
    EXPECT_EQ(sum(-4, 9), 5);
    EXPECT_EQ(length("pincer"), 6);

    const NativeFunction<int(int, int)> missing(kProbe.CText(), "Sum");
    const NativeFunction<int(int, int)> nowhere("libNoSuchLibrary.so", "SumOf");
    EXPECT_FALSE(missing || nowhere);
    EXPECT_EQ(missing(1, 2) + nowhere(1, 2), 0);
}

} // namespace
