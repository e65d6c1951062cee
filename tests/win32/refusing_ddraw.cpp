// A stand-in for ddraw.dll that the display tests load in its place: its
// DirectDrawCreate hands out the system's DirectDraw object behind a wrapper that
// can refuse giving the display back (the normal cooperative level, or restoring
// the display mode), so the display's reports of those failures can be seen.
// Everything else goes to the system's object unchanged.
#include <windows.h>
#include <ddraw.h>

#include <cstring>

namespace {

// What the next objects refuse; set through RefuseDirectDrawCall.
bool refuseNormalLevel = false;
bool refuseRestoreMode = false;

using DirectDrawCreateFunction = HRESULT(WINAPI*)(GUID*, LPDIRECTDRAW*, IUnknown*);

class RefusingDirectDraw final : public IDirectDraw {
public:
    RefusingDirectDraw(IDirectDraw* inner, HMODULE library) : inner_(inner), library_(library) {}

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override { return inner_->QueryInterface(riid, object); }
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    STDMETHOD_(ULONG, Release)() override {
        ULONG left = --references_;
        if (left == 0) {
            inner_->Release();
            FreeLibrary(library_);
            delete this;
        }
        return left;
    }
    STDMETHOD(Compact)() override { return inner_->Compact(); }
    STDMETHOD(CreateClipper)(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer) override {
        return inner_->CreateClipper(flags, clipper, outer);
    }
    STDMETHOD(CreatePalette)(DWORD flags, LPPALETTEENTRY table, LPDIRECTDRAWPALETTE* palette,
                             IUnknown* outer) override {
        return inner_->CreatePalette(flags, table, palette, outer);
    }
    STDMETHOD(CreateSurface)(LPDDSURFACEDESC description, LPDIRECTDRAWSURFACE* surface, IUnknown* outer) override {
        return inner_->CreateSurface(description, surface, outer);
    }
    STDMETHOD(DuplicateSurface)(LPDIRECTDRAWSURFACE surface, LPDIRECTDRAWSURFACE* copy) override {
        return inner_->DuplicateSurface(surface, copy);
    }
    STDMETHOD(EnumDisplayModes)(DWORD flags, LPDDSURFACEDESC description, LPVOID context,
                                LPDDENUMMODESCALLBACK callback) override {
        return inner_->EnumDisplayModes(flags, description, context, callback);
    }
    STDMETHOD(EnumSurfaces)(DWORD flags, LPDDSURFACEDESC description, LPVOID context,
                            LPDDENUMSURFACESCALLBACK callback) override {
        return inner_->EnumSurfaces(flags, description, context, callback);
    }
    STDMETHOD(FlipToGDISurface)() override { return inner_->FlipToGDISurface(); }
    STDMETHOD(GetCaps)(LPDDCAPS driver, LPDDCAPS emulation) override { return inner_->GetCaps(driver, emulation); }
    STDMETHOD(GetDisplayMode)(LPDDSURFACEDESC description) override { return inner_->GetDisplayMode(description); }
    STDMETHOD(GetFourCCCodes)(LPDWORD count, LPDWORD codes) override { return inner_->GetFourCCCodes(count, codes); }
    STDMETHOD(GetGDISurface)(LPDIRECTDRAWSURFACE* surface) override { return inner_->GetGDISurface(surface); }
    STDMETHOD(GetMonitorFrequency)(LPDWORD frequency) override { return inner_->GetMonitorFrequency(frequency); }
    STDMETHOD(GetScanLine)(LPDWORD line) override { return inner_->GetScanLine(line); }
    STDMETHOD(GetVerticalBlankStatus)(WINBOOL* inBlank) override { return inner_->GetVerticalBlankStatus(inBlank); }
    STDMETHOD(Initialize)(GUID* guid) override { return inner_->Initialize(guid); }
    STDMETHOD(RestoreDisplayMode)() override {
        // The mode is given back in any case, so the test screen is left as it was.
        HRESULT result = inner_->RestoreDisplayMode();
        return refuseRestoreMode ? DDERR_GENERIC : result;
    }
    STDMETHOD(SetCooperativeLevel)(HWND window, DWORD flags) override {
        if (refuseNormalLevel && (flags & DDSCL_NORMAL)) return DDERR_INVALIDPARAMS;
        return inner_->SetCooperativeLevel(window, flags);
    }
    STDMETHOD(SetDisplayMode)(DWORD width, DWORD height, DWORD bits) override {
        return inner_->SetDisplayMode(width, height, bits);
    }
    STDMETHOD(WaitForVerticalBlank)(DWORD flags, HANDLE event) override {
        return inner_->WaitForVerticalBlank(flags, event);
    }

private:
    IDirectDraw* inner_;
    HMODULE library_;
    ULONG references_ = 1;
};

}  // namespace

// "normal-level", "restore-mode" or "" (nothing refused), from now on.
extern "C" __declspec(dllexport) void RefuseDirectDrawCall(const char* call) {
    refuseNormalLevel = std::strcmp(call, "normal-level") == 0;
    refuseRestoreMode = std::strcmp(call, "restore-mode") == 0;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DirectDrawCreate(GUID* guid, LPDIRECTDRAW* object, IUnknown* outer) {
    HMODULE system = LoadLibraryA("ddraw.dll");
    auto create = system ? reinterpret_cast<DirectDrawCreateFunction>(
                               reinterpret_cast<void*>(GetProcAddress(system, "DirectDrawCreate")))
                         : nullptr;
    IDirectDraw* inner = nullptr;
    HRESULT result = create ? create(guid, &inner, outer) : DDERR_GENERIC;
    if (result != DD_OK || !inner) {
        if (system) FreeLibrary(system);
        return result == DD_OK ? DDERR_GENERIC : result;
    }
    *object = new RefusingDirectDraw(inner, system);
    return DD_OK;
}
