// The OLE callback a text edit hands its rich-edit window: what each of its methods answers.
#include <gtest/gtest.h>

#include "editors/dxEditorOle.h"

namespace {

struct Callback : editors::TdxRichEditOleCallback {};

}  // namespace

TEST(TextEditOleCallback, AnswersForItsTwoInterfacesAndCountsWithoutFreeing) {
    Callback cb;
    void* p = reinterpret_cast<void*>(1);
    EXPECT_EQ(cb.QueryInterface(IID_IRichEditOleCallback, &p), S_OK);
    EXPECT_EQ(p, static_cast<IRichEditOleCallback*>(&cb));
    EXPECT_EQ(cb.QueryInterface(IID_IUnknown, &p), S_OK);
    EXPECT_EQ(p, static_cast<IUnknown*>(&cb));
    EXPECT_EQ(cb.OleRefCount(), 2) << "each interface handed out is counted";
    EXPECT_EQ(cb.QueryInterface(IID_IDataObject, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(cb.QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(cb.AddRef(), 3u);
    EXPECT_EQ(cb.Release(), 2u);
    EXPECT_EQ(cb.Release(), 1u);
    EXPECT_EQ(cb.Release(), 0u) << "the last release frees nothing: the object lives on";
    EXPECT_EQ(cb.AddRef(), 1u);
}

TEST(TextEditOleCallback, OffersNoStorageNoInPlaceContextNoObjectsAndNoDropEffect) {
    Callback cb;
    IStorage* storage = reinterpret_cast<IStorage*>(1);
    EXPECT_EQ(cb.GetNewStorage(&storage), E_NOTIMPL);
    EXPECT_EQ(storage, nullptr);
    EXPECT_EQ(cb.GetNewStorage(nullptr), E_NOTIMPL);

    IOleInPlaceFrame* frame = reinterpret_cast<IOleInPlaceFrame*>(1);
    IOleInPlaceUIWindow* doc = reinterpret_cast<IOleInPlaceUIWindow*>(1);
    OLEINPLACEFRAMEINFO info = {};
    EXPECT_EQ(cb.GetInPlaceContext(&frame, &doc, &info), E_NOTIMPL);
    EXPECT_EQ(frame, nullptr);
    EXPECT_EQ(doc, nullptr);
    EXPECT_EQ(cb.GetInPlaceContext(nullptr, nullptr, nullptr), E_NOTIMPL);

    for (HRESULT r : {cb.ShowContainerUI(TRUE), cb.QueryInsertObject(nullptr, nullptr, 0), cb.DeleteObject(nullptr),
                      cb.QueryAcceptData(nullptr, nullptr, 0, TRUE, nullptr), cb.ContextSensitiveHelp(TRUE)})
        EXPECT_EQ(r, E_NOTIMPL);
    IDataObject* data = reinterpret_cast<IDataObject*>(1);
    EXPECT_EQ(cb.GetClipboardData(nullptr, 0, &data), E_NOTIMPL);
    EXPECT_EQ(data, nullptr);

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(cb.GetDragDropEffect(TRUE, 0, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));

    HMENU menu = reinterpret_cast<HMENU>(7);
    EXPECT_EQ(cb.GetContextMenu(0, nullptr, nullptr, &menu), E_NOTIMPL);
    EXPECT_EQ(menu, reinterpret_cast<HMENU>(7)) << "the menu out-pointer is left alone";
}
