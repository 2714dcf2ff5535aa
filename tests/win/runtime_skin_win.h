#pragma once
// One of the runtime's own skins, loaded from vellumcast.exe beside the tests
// and made active: from then on the manager's hook skins every window the
// test makes, as at the runtime's own start. The test program carries no
// skins of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "effects_window_win.h"
#include "skin/format/skin_store.h"
#include "skin/win/skin_bitmap_win.h"
#include "skin/win/skin_manager_win.h"
#include "skin/win/skin_resources_win.h"

namespace vc::test {

class ActiveRuntimeSkin {
public:
    explicit ActiveRuntimeSkin(int number)
        : runtime_(::LoadLibraryExA(effects::test::BesideTests("vellumcast.exe").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE)) {
        if (!runtime_) {
            ADD_FAILURE() << "vellumcast.exe is not beside the tests";
            return;
        }
        LoadStoredSkins(store_, runtime_);
        data_.Environment = WindowsSkinEnvironment();
        manager_->RegisterSkinData(data_);
        manager_->InstallHook();
        data_.LoadFromStore(store_, number);
        data_.SetActive(true);
    }
    // The manager goes before the data it refers to, the runtime's file last.
    ~ActiveRuntimeSkin() {
        manager_.reset();
        if (runtime_) ::FreeLibrary(runtime_);
    }
    ActiveRuntimeSkin(const ActiveRuntimeSkin&) = delete;
    ActiveRuntimeSkin& operator=(const ActiveRuntimeSkin&) = delete;

    bool Loaded() const { return runtime_ != nullptr; }
    TSkinData& Data() { return data_; }

private:
    HMODULE runtime_;
    TSkinStore store_;
    TSkinData data_;
    std::unique_ptr<TSkinManager> manager_ = std::make_unique<TSkinManager>();
};

}  // namespace vc::test
