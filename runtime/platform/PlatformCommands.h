// Calls into native libraries: function addresses looked up by name, and a typed way to call
// them from C++.
#pragma once

#include "text/RtString.h"

// Sets address to the function of that name (case-sensitive) in the native library; null when
// the library cannot be loaded or has no such function. libraryName is turned to lower case.
// Each library is loaded once, by the name as given or else by its lower-case form, and is
// remembered without regard to case until the program ends; one that failed to load is tried
// again on the next call.
void GetDllProc(RtString& libraryName, const RtString& functionName, void*& address);

// A function of a native library with its C signature, looked up once through GetDllProc:
//   NativeFunction<double(double)> cosine("libm.so.6", "cos");
//   if (cosine) y = cosine(x);
// False when the library or the function is missing; a call then does nothing and gives a
// zero result. The function is valid until the runtime shuts down and unloads its library.
template <class Signature> class NativeFunction;

template <class Result, class... Args> class NativeFunction<Result(Args...)> {
  public:
    NativeFunction(const char* library, const char* function) {
        RtString libraryName(library);
        void* address = nullptr;
        GetDllProc(libraryName, function, address);
        function_ = reinterpret_cast<Result (*)(Args...)>(address);
    }

    explicit operator bool() const { return function_ != nullptr; }

    Result operator()(Args... args) const {
        if (!function_) return Result();
        return function_(args...);
    }

  private:
    Result (*function_)(Args...) = nullptr;
};
