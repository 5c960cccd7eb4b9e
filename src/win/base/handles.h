// Owners for system handles: each closes, deletes or releases its handle
// exactly once. None of them can be copied; all can be moved.
#pragma once

#include <windows.h>
// After windows.h: COM (WIN32_LEAN_AND_MEAN leaves it out).
#include <objbase.h>

#include <utility>

template <typename T, typename Traits>
class TUniqueHandle {
public:
    TUniqueHandle() = default;
    explicit TUniqueHandle(T h) : FHandle(h) {}
    ~TUniqueHandle() { Reset(); }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    T Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != Traits::Invalid(); }
    T Release() { return std::exchange(FHandle, Traits::Invalid()); }
    void Reset(T h = Traits::Invalid()) {
        if (FHandle != Traits::Invalid()) Traits::Close(FHandle);
        FHandle = h;
    }

private:
    T FHandle = Traits::Invalid();
};

struct TKernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct TFileHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct TFindHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
template <typename G>
struct TGdiTraits {
    static G Invalid() { return nullptr; }
    static void Close(G h) { DeleteObject(h); }
};
struct TIconTraits {
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};
struct TMenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};
struct TModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE h) { FreeLibrary(h); }
};
struct TMemDCTraits {
    static HDC Invalid() { return nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};

using TKernelHandle = TUniqueHandle<HANDLE, TKernelHandleTraits>;
using TFileHandle = TUniqueHandle<HANDLE, TFileHandleTraits>;
using TFindHandle = TUniqueHandle<HANDLE, TFindHandleTraits>;
using TFont = TUniqueHandle<HFONT, TGdiTraits<HFONT>>;
using TBrush = TUniqueHandle<HBRUSH, TGdiTraits<HBRUSH>>;
using TPen = TUniqueHandle<HPEN, TGdiTraits<HPEN>>;
using TBitmap = TUniqueHandle<HBITMAP, TGdiTraits<HBITMAP>>;
// (The clip-region combiner of the controls is TRegion; this is the bare owner.)
using TRegionHandle = TUniqueHandle<HRGN, TGdiTraits<HRGN>>;
using TIcon = TUniqueHandle<HICON, TIconTraits>;
using TMenu = TUniqueHandle<HMENU, TMenuTraits>;
using TModule = TUniqueHandle<HMODULE, TModuleTraits>;
using TMemoryDC = TUniqueHandle<HDC, TMemDCTraits>;

// Selects a GDI object into a DC for one scope and puts the previous one back.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ obj) : FDC(dc), FOld(SelectObject(dc, obj)) {}
    ~TSelectObject() { SelectObject(FDC, FOld); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// BeginPaint/EndPaint for one WM_PAINT.
class TPaintDC {
public:
    explicit TPaintDC(HWND wnd) : FWnd(wnd) { FDC = BeginPaint(wnd, &FPaint); }
    ~TPaintDC() { EndPaint(FWnd, &FPaint); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    HDC DC() const { return FDC; }
    const RECT& PaintRect() const { return FPaint.rcPaint; }

private:
    HWND FWnd;
    PAINTSTRUCT FPaint{};
    HDC FDC;
};

// GetDC/ReleaseDC for one scope.
class TWindowDC {
public:
    explicit TWindowDC(HWND wnd) : FWnd(wnd), FDC(GetDC(wnd)) {}
    ~TWindowDC() { ReleaseDC(FWnd, FDC); }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC DC() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
};

// A COM interface pointer that releases its reference.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& o) noexcept : FPtr(std::exchange(o.FPtr, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) {
            Reset();
            FPtr = std::exchange(o.FPtr, nullptr);
        }
        return *this;
    }
    T* Get() const { return FPtr; }
    T* operator->() const { return FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    T** Put() {
        Reset();
        return &FPtr;
    }
    void Reset() {
        if (FPtr) FPtr->Release();
        FPtr = nullptr;
    }
    template <typename U>
    HRESULT As(ComPtr<U>& other) const {
        return FPtr ? FPtr->QueryInterface(__uuidof(U), reinterpret_cast<void**>(other.Put())) : E_POINTER;
    }

private:
    T* FPtr = nullptr;
};

// CoInitialize/CoUninitialize for the UI thread's lifetime.
class TComApartment {
public:
    TComApartment() : FOk(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComApartment() {
        if (FOk) CoUninitialize();
    }
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

private:
    bool FOk;
};
