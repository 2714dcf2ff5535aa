#pragma once
// Owners for Windows handles. Each owns exactly one handle, remembers what
// its release needs, and cannot be copied; moving hands the handle over.
#include <windows.h>

#include <utility>

namespace vc::ui {

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    Handle Release() noexcept { return std::exchange(handle_, nullptr); }
    void Reset(Handle handle = nullptr) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old) Traits::Close(old);
    }

private:
    Handle handle_ = nullptr;
};

// A kernel object: a thread, an event, a file.
struct KernelObjectTraits {
    using Handle = HANDLE;
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static void Close(HWND h) noexcept { ::DestroyWindow(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static void Close(HMENU h) noexcept { ::DestroyMenu(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static void Close(HGDIOBJ h) noexcept { ::DeleteObject(h); }
};
struct RegionTraits {
    using Handle = HRGN;
    static void Close(HRGN h) noexcept { ::DeleteObject(h); }
};
struct BitmapTraits {
    using Handle = HBITMAP;
    static void Close(HBITMAP h) noexcept { ::DeleteObject(h); }
};
struct FontTraits {
    using Handle = HFONT;
    static void Close(HFONT h) noexcept { ::DeleteObject(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static void Close(HDC h) noexcept { ::DeleteDC(h); }
};
struct IconTraits {
    using Handle = HICON;
    static void Close(HICON h) noexcept { ::DestroyIcon(h); }
};

using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueRegion = UniqueHandle<RegionTraits>;
using UniqueBitmap = UniqueHandle<BitmapTraits>;
using UniqueFont = UniqueHandle<FontTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;

// A window's device context from GetDC (the client area) or GetWindowDC (the
// whole window, frame included), given back to that window.
class WindowDc {
public:
    enum class Area { Client, Whole };
    explicit WindowDc(HWND window, Area area = Area::Client) noexcept
        : window_(window), dc_(area == Area::Whole ? ::GetWindowDC(window) : ::GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context, with the old one put back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The reference count of a COM object of ours, which starts at one and
// deletes `owner` when its last reference goes. The browser takes and drops
// references from threads of its own, so the count is interlocked.
class ComReferences {
public:
    ULONG Add() noexcept { return static_cast<ULONG>(::InterlockedIncrement(&count_)); }
    template <class Owner>
    ULONG Release(Owner* owner) noexcept {
        const ULONG left = static_cast<ULONG>(::InterlockedDecrement(&count_));
        if (left == 0) delete owner;
        return left;
    }

private:
    LONG count_ = 1;
};

// One reference to a COM object.
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    // Takes a reference that the caller already holds.
    static ComPtr Attach(T* p) noexcept {
        ComPtr result;
        result.p_ = p;
        return result;
    }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands the slot over.
    T** Put() noexcept {
        Reset();
        return &p_;
    }
    void Reset() noexcept {
        if (T* old = std::exchange(p_, nullptr)) old->Release();
    }

private:
    T* p_ = nullptr;
};

}  // namespace vc::ui
