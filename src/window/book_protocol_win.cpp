#include "window/book_protocol_win.h"

#include <urlmon.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "book/book_address.h"
#include "common/ole_error.h"
#include "ui/com_variant_win.h"

namespace vc {
namespace {

// The class id urlmon files the handler under; it is never written anywhere.
constexpr CLSID kBookProtocolClass = {0x5c1b7e3a, 0x8d2f, 0x4a6b, {0x9e, 0x41, 0x0b, 0x7c, 0x3d, 0x2a, 0x9f, 0x15}};

// Addresses reach the archive's names as UTF-8: an address the browser hands
// over unescaped still names the page it was made from.
std::string Utf8FromWide(const wchar_t* text) {
    if (!text) return {};
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string result(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), bytes, nullptr, nullptr);
    result.pop_back();
    return result;
}

// Every text handed back here is ASCII: escaped addresses, MIME types. With
// its null character at the end.
ui::WideText WideFromAscii(std::string_view text) {
    ui::WideText wide(text.begin(), text.end());
    wide.push_back(L'\0');
    return wide;
}

}  // namespace

// Makes one protocol object per bind and answers urlmon's questions about the
// scheme's addresses.
class BookProtocolFactory final : public IClassFactory, public IInternetProtocolInfo {
public:
    BookProtocolFactory(std::shared_ptr<const BookPages> pages,
                        BookProtocolRegistration::DamagedPageHandler onDamaged) noexcept
        : pages_(std::move(pages)), onDamaged_(std::move(onDamaged)) {}

    const BookPages& Pages() const noexcept { return *pages_; }
    void ReportDamaged(const std::string& page) {
        if (onDamaged_) onDamaged_(page);
    }
    // The window may go while the browser still holds protocol objects.
    void Disconnect() noexcept { onDamaged_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) *object = static_cast<IClassFactory*>(this);
        else if (iid == IID_IInternetProtocolInfo) *object = static_cast<IInternetProtocolInfo*>(this);
        else return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return references_.Add(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return references_.Release(this); }

    // IClassFactory
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) noexcept override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) noexcept override { return S_OK; }

    // IInternetProtocolInfo: only the zone questions get answers of our own.
    HRESULT STDMETHODCALLTYPE ParseUrl(LPCWSTR url, PARSEACTION action, DWORD, LPWSTR result, DWORD resultSize,
                                       DWORD* resultLength, DWORD) noexcept override;
    HRESULT STDMETHODCALLTYPE CombineUrl(LPCWSTR, LPCWSTR, DWORD, LPWSTR, DWORD, DWORD*, DWORD) noexcept override {
        return INET_E_DEFAULT_ACTION;
    }
    HRESULT STDMETHODCALLTYPE CompareUrl(LPCWSTR, LPCWSTR, DWORD) noexcept override { return INET_E_DEFAULT_ACTION; }
    HRESULT STDMETHODCALLTYPE QueryInfo(LPCWSTR, QUERYOPTION, DWORD, LPVOID, DWORD, DWORD*, DWORD) noexcept override {
        return INET_E_DEFAULT_ACTION;
    }

private:
    // Only the last Release deletes it.
    friend class ui::ComReferences;
    ~BookProtocolFactory() = default;

    ui::ComReferences references_;
    std::shared_ptr<const BookPages> pages_;
    BookProtocolRegistration::DamagedPageHandler onDamaged_;
};

HRESULT BookProtocolFactory::ParseUrl(LPCWSTR url, PARSEACTION action, DWORD, LPWSTR result, DWORD resultSize,
                                      DWORD* resultLength, DWORD) noexcept {
    if (action != PARSE_SECURITY_URL && action != PARSE_SECURITY_DOMAIN) return INET_E_DEFAULT_ACTION;
    try {
        // Book pages take the zone their file had beside the program; any
        // other address is left to urlmon, which gives it the Internet zone.
        const auto security = pages_->SecurityUrl(Utf8FromWide(url));
        if (!security) return INET_E_DEFAULT_ACTION;
        const ui::WideText wide = WideFromAscii(*security);
        if (resultLength) *resultLength = static_cast<DWORD>(wide.size());
        if (!result || resultSize < wide.size()) return S_FALSE;
        std::copy(wide.begin(), wide.end(), result);
        if (resultLength) *resultLength = static_cast<DWORD>(wide.size() - 1);
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

// One bind: the page is read and decoded in Start, handed over through
// Switch/Continue as real handlers do, and read out in pieces of the
// browser's choosing. It can be aggregated, as urlmon's binding does.
class BookProtocol final : public IInternetProtocol {
public:
    BookProtocol(BookProtocolFactory& factory, IUnknown* outer) noexcept
        : inner_(*this), outer_(outer ? outer : &inner_) {
        factory.AddRef();
        factory_ = ui::ComPtr<BookProtocolFactory>::Attach(&factory);
    }

    IUnknown* Inner() noexcept { return &inner_; }

    // IUnknown, delegated to the object that aggregates this one.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
        return outer_->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return outer_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return outer_->Release(); }

    // IInternetProtocolRoot
    HRESULT STDMETHODCALLTYPE Start(LPCWSTR url, IInternetProtocolSink* sink, IInternetBindInfo*, DWORD,
                                    HANDLE_PTR) noexcept override;
    HRESULT STDMETHODCALLTYPE Continue(PROTOCOLDATA*) noexcept override;
    HRESULT STDMETHODCALLTYPE Abort(HRESULT reason, DWORD) noexcept override {
        if (sink_) sink_->ReportResult(reason, 0, nullptr);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Terminate(DWORD) noexcept override {
        sink_.Reset();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Suspend() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Resume() noexcept override { return E_NOTIMPL; }

    // IInternetProtocol
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) noexcept override;
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) noexcept override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE LockRequest(DWORD) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UnlockRequest() noexcept override { return S_OK; }

private:
    // The identity and lifetime of the object, never delegated.
    class Identity final : public IUnknown {
    public:
        explicit Identity(BookProtocol& protocol) noexcept : protocol_(protocol) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
            if (!object) return E_POINTER;
            *object = nullptr;
            if (iid == IID_IUnknown) *object = static_cast<IUnknown*>(this);
            else if (iid == IID_IInternetProtocolRoot || iid == IID_IInternetProtocol)
                *object = static_cast<IInternetProtocol*>(&protocol_);
            else return E_NOINTERFACE;
            static_cast<IUnknown*>(*object)->AddRef();
            return S_OK;
        }
        ULONG STDMETHODCALLTYPE AddRef() noexcept override { return references_.Add(); }
        ULONG STDMETHODCALLTYPE Release() noexcept override { return references_.Release(&protocol_); }

    private:
        BookProtocol& protocol_;
        ui::ComReferences references_;
    };

    void ReportData() noexcept;

    Identity inner_;
    IUnknown* outer_;
    ui::ComPtr<BookProtocolFactory> factory_;
    ui::ComPtr<IInternetProtocolSink> sink_;
    std::string bytes_;
    std::size_t position_ = 0;
    bool reported_ = false;
};

HRESULT BookProtocolFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) noexcept {
    if (!object) return E_POINTER;
    *object = nullptr;
    // urlmon also asks the factory for the protocol's information object.
    if (iid == IID_IInternetProtocolInfo) return QueryInterface(iid, object);
    if (outer && iid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    auto* protocol = new (std::nothrow) BookProtocol(*this, outer);
    if (!protocol) return E_OUTOFMEMORY;
    const HRESULT result = protocol->Inner()->QueryInterface(iid, object);
    protocol->Inner()->Release();
    return result;
}

HRESULT BookProtocol::Start(LPCWSTR url, IInternetProtocolSink* sink, IInternetBindInfo*, DWORD,
                            HANDLE_PTR) noexcept {
    if (!url || !sink) return E_INVALIDARG;
    try {
        PageAnswer answer = factory_->Pages().Serve(Utf8FromWide(url));
        if (answer.status == PageAnswer::Status::Damaged) factory_->ReportDamaged(answer.page);
        // The browser shows its own page for an address it cannot have.
        if (answer.status != PageAnswer::Status::Found) return INET_E_RESOURCE_NOT_FOUND;
        bytes_ = std::move(answer.bytes);
        sink->AddRef();
        sink_ = ui::ComPtr<IInternetProtocolSink>::Attach(sink);
        // Verified: the browser takes the type as given instead of guessing
        // from the bytes, so a style sheet stays a style sheet.
        sink->ReportProgress(BINDSTATUS_VERIFIEDMIMETYPEAVAILABLE, WideFromAscii(answer.mimeType).data());
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    PROTOCOLDATA data{};
    data.grfFlags = PD_FORCE_SWITCH;
    if (FAILED(sink->Switch(&data))) ReportData();
    return S_OK;
}

HRESULT BookProtocol::Continue(PROTOCOLDATA*) noexcept {
    ReportData();
    return S_OK;
}

void BookProtocol::ReportData() noexcept {
    if (reported_ || !sink_) return;
    reported_ = true;
    const auto size = static_cast<ULONG>(bytes_.size());
    // Hold the sink: the browser may end the bind from inside these calls.
    IInternetProtocolSink* sink = sink_.Get();
    sink->AddRef();
    sink->ReportData(BSCF_FIRSTDATANOTIFICATION | BSCF_LASTDATANOTIFICATION | BSCF_DATAFULLYAVAILABLE, size, size);
    sink->ReportResult(S_OK, 0, nullptr);
    sink->Release();
}

HRESULT BookProtocol::Read(void* buffer, ULONG size, ULONG* read) noexcept {
    if (read) *read = 0;
    if (!buffer && size > 0) return E_INVALIDARG;
    const std::size_t count = std::min<std::size_t>(size, bytes_.size() - position_);
    // The end is told on the call that finds nothing left, so that a reader
    // that stops at S_FALSE has had every byte.
    if (count == 0) return S_FALSE;
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    if (read) *read = static_cast<ULONG>(count);
    return S_OK;
}

BookProtocolRegistration::BookProtocolRegistration(std::shared_ptr<const BookPages> pages,
                                                   DamagedPageHandler onDamaged)
    : factory_(ui::ComPtr<BookProtocolFactory>::Attach(new BookProtocolFactory(std::move(pages),
                                                                                std::move(onDamaged)))) {
    ui::ComPtr<IInternetSession> session;
    HRESULT result = ::CoInternetGetSession(0, session.Put(), 0);
    if (SUCCEEDED(result))
        result = session->RegisterNameSpace(factory_.Get(), kBookProtocolClass, WideFromAscii(kBookScheme).data(), 0,
                                            nullptr, 0);
    if (FAILED(result)) throw EOleError(static_cast<std::uint32_t>(result));
}

BookProtocolRegistration::~BookProtocolRegistration() {
    factory_->Disconnect();
    ui::ComPtr<IInternetSession> session;
    if (SUCCEEDED(::CoInternetGetSession(0, session.Put(), 0)))
        session->UnregisterNameSpace(factory_.Get(), WideFromAscii(kBookScheme).data());
}

}  // namespace vc
