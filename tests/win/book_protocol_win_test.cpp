#include <windows.h>
#include <ole2.h>
#include <urlmon.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "book/book_address.h"
#include "book/book_pages.h"
#include "../native/one_file_book.h"
#include "effects_window_win.h"
#include "ui/handles_win.h"
#include "window/book_protocol_win.h"

namespace vc {
namespace {

constexpr char kHost[] = "testbook";

std::string Html() {
    std::string page = "<html><head><link rel=stylesheet href=style.css></head><body>";
    for (int i = 0; i < 3000; ++i) page += "<p>Paragraph " + std::to_string(i) + "</p>\n";
    return page;
}

struct Page {
    const char* name;
    std::string bytes;
    const char* mimeType;
};

const std::vector<Page> kPages = {{"tour/index.htm", Html(), "text/html"},
                                  {"tour/style.css", "body { color: navy }", "text/css"},
                                  {"tour/sub/a b.png", "\x89PNG\r\n" + std::string(3000, 'p'), "image/png"},
                                  {"tour/empty.txt", "", "text/plain"}};

// A bind callback of the test's own: the MIME type told, the bytes read out
// of the stream in pieces of `readSize`, and the result.
class BindCallback final : public IBindStatusCallback {
public:
    explicit BindCallback(ULONG readSize) : readSize_(readSize) {}
    std::string mimeType, data;
    HRESULT result = E_PENDING;
    bool stopped = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IBindStatusCallback ? this : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG status, LPCWSTR text) override {
        if (status == BINDSTATUS_MIMETYPEAVAILABLE && text) mimeType.assign(text, text + wcslen(text));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT hr, LPCWSTR) override {
        result = hr;
        stopped = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override {
        *flags = BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE | BINDF_PULLDATA | BINDF_GETNEWESTVERSION;
        const ULONG size = info->cbSize;
        ZeroMemory(info, size);
        info->cbSize = size;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM* medium) override {
        std::vector<char> buffer(readSize_);
        for (ULONG read = 1; read > 0;) {
            const HRESULT hr = medium->pstm->Read(buffer.data(), readSize_, &read);
            data.append(buffer.data(), read);
            if (hr != S_OK) break;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

private:
    ~BindCallback() = default;
    ULONG references_ = 1;
    ULONG readSize_;
};

// Binds the address to a stream through urlmon, as the browser binds a page.
ui::ComPtr<BindCallback> Bind(const std::string& url, ULONG readSize = 4096) {
    auto callback = ui::ComPtr<BindCallback>::Attach(new BindCallback(readSize));
    ui::ComPtr<IMoniker> moniker;
    ui::ComPtr<IBindCtx> context;
    ui::ComPtr<IStream> stream;
    EXPECT_EQ(::CreateURLMonikerEx(nullptr, std::wstring(url.begin(), url.end()).c_str(), moniker.Put(), 0), S_OK);
    EXPECT_EQ(::CreateAsyncBindCtx(0, callback.Get(), nullptr, context.Put()), S_OK);
    const HRESULT hr = moniker->BindToStorage(context.Get(), nullptr, IID_IStream, reinterpret_cast<void**>(stream.Put()));
    if (FAILED(hr) && !callback->stopped) callback->result = hr;
    else EXPECT_TRUE(effects::test::PumpUntil([&] { return callback->stopped; })) << url;
    return callback;
}

class BookProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        testing::BookEntries entries = {{"tour/broken.htm", Html()}};
        for (const Page& page : kPages) entries.emplace_back(page.name, page.bytes);
        book_ = testing::OneFileBook(entries);
        testing::DamageEntry(book_, "tour/broken.htm");
        auto source = std::make_unique<MemorySource>(book_);
        auto archive = PageArchive::Open(*source);
        auto pages = std::make_shared<const BookPages>(std::move(source), std::move(*archive), kHost, "C:\\Books\\");
        registration_ = std::make_unique<BookProtocolRegistration>(
            pages, [this](const std::string& page) { damaged_.push_back(page); });
    }
    void TearDown() override {
        registration_.reset();
        ::OleUninitialize();
    }

    std::string book_;
    std::unique_ptr<BookProtocolRegistration> registration_;
    std::vector<std::string> damaged_;
};

class BookProtocolReads : public BookProtocolTest, public ::testing::WithParamInterface<ULONG> {};

TEST_P(BookProtocolReads, ServeEveryEntryByteForByteWithTheTypeOfItsExtension) {
    for (const Page& page : kPages) {
        const auto bound = Bind(MakeBookAddress(kHost, page.name), GetParam());
        EXPECT_EQ(bound->result, S_OK) << page.name;
        EXPECT_EQ(bound->mimeType, page.mimeType) << page.name;
        EXPECT_TRUE(bound->data == page.bytes) << page.name << ": " << bound->data.size() << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, BookProtocolReads, ::testing::Values(1u, 7u, 65536u));

TEST_F(BookProtocolTest, WhatTheBookDoesNotHoldOrCannotReadIsNotFoundTheRestStillServes) {
    for (const std::string url : {MakeBookAddress(kHost, "tour/missing.htm"), MakeBookAddress("other", "tour/index.htm"),
                                  std::string("vcbook://testbook/tour/%2e%2e/x.htm")})
        EXPECT_EQ(Bind(url)->result, INET_E_RESOURCE_NOT_FOUND) << url;
    EXPECT_TRUE(damaged_.empty());
    EXPECT_EQ(Bind(MakeBookAddress(kHost, "tour/broken.htm"))->result, INET_E_RESOURCE_NOT_FOUND);
    EXPECT_EQ(Bind(MakeBookAddress(kHost, "TOUR/Broken.htm"))->result, INET_E_RESOURCE_NOT_FOUND);
    EXPECT_EQ(damaged_, (std::vector<std::string>{"tour/broken.htm", "tour/broken.htm"}));
    // Many binds in a row, each of the whole page.
    for (int i = 0; i < 100; ++i) ASSERT_EQ(Bind(MakeBookAddress(kHost, "tour/index.htm"))->data.size(), Html().size());
}

TEST_F(BookProtocolTest, BookPagesHaveTheZoneOfTheirFilesOtherAddressesTheInternetZone) {
    ui::ComPtr<IInternetSecurityManager> security;
    ASSERT_EQ(::CoInternetCreateSecurityManager(nullptr, security.Put(), 0), S_OK);
    DWORD zone = 99;
    EXPECT_EQ(security->MapUrlToZone(L"vcbook://testbook/tour/index.htm", &zone, 0), S_OK);
    EXPECT_EQ(zone, static_cast<DWORD>(URLZONE_LOCAL_MACHINE));
    EXPECT_EQ(security->MapUrlToZone(L"vcbook://otherbook/tour/index.htm", &zone, 0), S_OK);
    EXPECT_EQ(zone, static_cast<DWORD>(URLZONE_INTERNET));
    // Relative links resolve inside the book.
    wchar_t combined[100];
    DWORD length = 0;
    ASSERT_EQ(::CoInternetCombineUrl(L"vcbook://testbook/tour/sub/a.htm", L"../style.css", 0, combined, 100, &length, 0),
              S_OK);
    EXPECT_EQ(std::wstring(combined), L"vcbook://testbook/tour/style.css");
}

}  // namespace
}  // namespace vc
