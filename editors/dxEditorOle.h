// The rich-edit window's OLE callback as the text edit answers it: no storage, no in-place
// activation, no object insertion, no drop effect. The edit object implements the interface
// itself; its reference count only counts (the edit's owner frees the edit, never Release).
#pragma once
#include <windows.h>
#include <ole2.h>
#include <richedit.h>
#include <richole.h>

namespace editors {

class TdxRichEditOleCallback : public IRichEditOleCallback {
public:
    // S_OK and the interface for IUnknown and IRichEditOleCallback, else E_NOINTERFACE.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetNewStorage(LPSTORAGE* lplpstg) override;
    STDMETHODIMP GetInPlaceContext(LPOLEINPLACEFRAME* lplpFrame, LPOLEINPLACEUIWINDOW* lplpDoc,
                                   LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHODIMP ShowContainerUI(BOOL fShow) override;
    STDMETHODIMP QueryInsertObject(LPCLSID lpclsid, LPSTORAGE lpstg, LONG cp) override;
    STDMETHODIMP DeleteObject(LPOLEOBJECT lpoleobj) override;
    STDMETHODIMP QueryAcceptData(LPDATAOBJECT lpdataobj, CLIPFORMAT* lpcfFormat, DWORD reco, BOOL fReally,
                                 HGLOBAL hMetaPict) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;
    STDMETHODIMP GetClipboardData(CHARRANGE* lpchrg, DWORD reco, LPDATAOBJECT* lplpdataobj) override;
    STDMETHODIMP GetDragDropEffect(BOOL fDrag, DWORD grfKeyState, LPDWORD pdwEffect) override;
    STDMETHODIMP GetContextMenu(WORD seltype, LPOLEOBJECT lpoleobj, CHARRANGE* lpchrg, HMENU* lphmenu) override;

    LONG OleRefCount() const { return RefCount; }

protected:
    TdxRichEditOleCallback() = default;
    ~TdxRichEditOleCallback() = default;
    LONG RefCount = 0;
};

}  // namespace editors
