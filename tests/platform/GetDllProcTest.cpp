#include <gtest/gtest.h>

#include <dlfcn.h>

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
    return handle && dlclose(handle) == 0;
}

TEST(DllCacheTest, LibraryIsLoadedOnceWhateverTheCaseOfItsNameAndRetriedWhenItFailed) {
    TempDir folder;
    const std::string later = folder.File("libLater.so");
    {
        platform::DllCache cache;
        void* const half = cache.Find(kProbe, "HalfOf").address;
        // The capitalised path names no file: only the cache can answer it.
        EXPECT_EQ(cache.Find(UpperCase(kProbe), "HalfOf").address, half);
        const platform::ProcLookup none = cache.Find(LowerCase(kProbe), "NoSuchFunction");
        EXPECT_TRUE(half && none.libraryLoaded && !none.address && Loaded(kProbe));
        EXPECT_FALSE(cache.Find(later.c_str(), "SumOf").libraryLoaded);
        folder.Write("libLater.so", ReadWholeFile(kProbe.CText()));
        // Named with "\\" between folders, as game code may.
        EXPECT_NE(cache.Find((folder.Path() + "\\libLater.so").c_str(), "SumOf").address, nullptr);
    }
    // One load, one release: the loader has let the libraries go.
    EXPECT_FALSE(Loaded(kProbe) || Loaded(later.c_str()));
}

TEST_F(HeadlessRuntimeTest, GetDllProcFindsFunctionsByNameAndNativeFunctionCallsThemTyped) {
    RtString name = "LIBM.SO.6";
    void* address = nullptr;
    GetDllProc(name, "cos", address);
    EXPECT_EQ(std::pair(address, std::string(name.CText())),
              std::pair(dlsym(RTLD_DEFAULT, "cos"), std::string("libm.so.6")));
    const NativeFunction<double(double)> half(NATIVE_PROBE_PATH, "HalfOf");
    const NativeFunction<size_t(const char*)> length("libc.so.6", "strlen");
    const NativeFunction<int(int, int)> sum(NATIVE_PROBE_PATH, "SumOf"),
        no(NATIVE_PROBE_PATH, "Sum"), nowhere("libNo.so", "SumOf");
    EXPECT_EQ(half(5) + sum(-4, 9) + length("pincer") + no(1, 2) + nowhere(1, 2), 2.5 + 5 + 6);
    EXPECT_FALSE(no || nowhere || !half);
}

} // namespace
