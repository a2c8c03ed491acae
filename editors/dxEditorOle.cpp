#include "editors/dxEditorOle.h"

namespace editors {

STDMETHODIMP TdxRichEditOleCallback::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IRichEditOleCallback)) {
        *ppv = static_cast<IRichEditOleCallback*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TdxRichEditOleCallback::AddRef() { return static_cast<ULONG>(++RefCount); }

STDMETHODIMP_(ULONG) TdxRichEditOleCallback::Release() { return static_cast<ULONG>(--RefCount); }

STDMETHODIMP TdxRichEditOleCallback::GetNewStorage(LPSTORAGE* lplpstg) {
    if (lplpstg) *lplpstg = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TdxRichEditOleCallback::GetInPlaceContext(LPOLEINPLACEFRAME* lplpFrame, LPOLEINPLACEUIWINDOW* lplpDoc,
                                                       LPOLEINPLACEFRAMEINFO) {
    if (lplpFrame) *lplpFrame = nullptr;
    if (lplpDoc) *lplpDoc = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TdxRichEditOleCallback::ShowContainerUI(BOOL) { return E_NOTIMPL; }

STDMETHODIMP TdxRichEditOleCallback::QueryInsertObject(LPCLSID, LPSTORAGE, LONG) { return E_NOTIMPL; }

STDMETHODIMP TdxRichEditOleCallback::DeleteObject(LPOLEOBJECT) { return E_NOTIMPL; }

STDMETHODIMP TdxRichEditOleCallback::QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) {
    return E_NOTIMPL;
}

STDMETHODIMP TdxRichEditOleCallback::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP TdxRichEditOleCallback::GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT* lplpdataobj) {
    if (lplpdataobj) *lplpdataobj = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TdxRichEditOleCallback::GetDragDropEffect(BOOL, DWORD, LPDWORD pdwEffect) {
    if (pdwEffect) *pdwEffect = DROPEFFECT_NONE;
    return S_OK;
}

// The menu out-pointer is left as the caller gave it.
STDMETHODIMP TdxRichEditOleCallback::GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU*) { return E_NOTIMPL; }

}  // namespace editors
