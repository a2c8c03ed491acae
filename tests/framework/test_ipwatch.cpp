// TIdIPWatch: the local address and host name, the socket error text, its published
// properties, and the history file it leaves when freed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/IdIPWatch.h"

namespace {

std::string MakeTempDir(const char* tag) {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string dir = std::string(tmp) + "corvane-" + tag + "-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(f);
}

// File size, or -1 when there is no such file.
long long SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return -1;
    return (static_cast<long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

fw::TPropValue Value(fw::TPropValue::Kind kind, const char* s) {
    fw::TPropValue v;
    v.kind = kind;
    v.s = s;
    return v;
}
fw::TPropValue Ident(const char* s) { return Value(fw::TPropValue::Ident, s); }
fw::TPropValue Str(const char* s) { return Value(fw::TPropValue::String, s); }

TEST(IPWatch, FirstLocalAddressIsTheTestNamespaceAdapterAndHostNameIsTheLookedUpName) {
    fw::TIdIPWatch* w = fw::Create<fw::TIdIPWatch>(nullptr);
    w->HistoryEnabled = false;
    EXPECT_EQ("10.254.0.1", w->LocalIP()) << "the test namespace's veth0 has 10.254.0.1";
    const std::string name = w->LocalName();
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(std::string::npos, name.find('\0'));
    EXPECT_EQ("10.254.0.1", fw::HostAddresses(name).at(0));
    fw::Free(w);
}

TEST(IPWatch, FailedLookupRaisesSocketErrorWithCodeAndText) {
    EXPECT_EQ("Host not found.", fw::WinSockErrorText(11001));
    try {
        fw::HostAddresses("no-such-host.invalid");
        FAIL() << "lookup of an unknown host must raise";
    } catch (const fw::EIdWinSockError& e) {
        EXPECT_TRUE(e.LastError() == 11001 || e.LastError() == 11002 || e.LastError() == 11004) << e.LastError();
        EXPECT_EQ("Socket Error # " + std::to_string(e.LastError()) + "\r\n" + fw::WinSockErrorText(e.LastError()),
                  e.Message());
    }
}

TEST(IPWatch, PublishedPropertiesHaveTheirDefaultsAndAreSetByName) {
    fw::RegisterIPWatchClasses();
    fw::TComponent* c = fw::TClassRegistry::CreateByName("TIdIPWatch", nullptr);
    auto* w = dynamic_cast<fw::TIdIPWatch*>(c);
    ASSERT_NE(nullptr, w);
    EXPECT_FALSE(w->Active);
    EXPECT_TRUE(w->HistoryEnabled);
    EXPECT_EQ("iphist.dat", w->HistoryFilename);

    const fw::TPropValue file = Str("other.dat");
    EXPECT_TRUE(w->SetProperty("Active", Ident("False")));
    EXPECT_TRUE(w->SetProperty("HistoryEnabled", Ident("False")));
    EXPECT_TRUE(w->SetProperty("HistoryFilename", file));
    EXPECT_TRUE(w->SetProperty("Name", Str("IdIPWatch1")));
    EXPECT_FALSE(w->HistoryEnabled);
    EXPECT_EQ("other.dat", w->HistoryFilename);
    EXPECT_EQ("IdIPWatch1", w->Name());
    EXPECT_THROW(w->SetProperty("Active", file), fw::EReadError);
    fw::Free(w);
}

TEST(IPWatch, FreeingWritesAnEmptyHistoryFileInTheCurrentDirectory) {
    const std::string dir = MakeTempDir("iphist");
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    const std::string file = dir + "\\iphist.dat";

    DeleteFileA(file.c_str());
    fw::Free(fw::Create<fw::TIdIPWatch>(nullptr));
    EXPECT_EQ(0, SizeOf(file)) << "created empty";

    WriteBytes(file, "10.0.0.1\r\n10.0.0.2\r\n");
    fw::TComponent* owner = fw::Create<fw::TComponent>(nullptr);
    fw::Create<fw::TIdIPWatch>(owner);  // freed with its owner, as the data module's is
    fw::Free(owner);
    EXPECT_EQ(0, SizeOf(file)) << "earlier contents replaced by the empty history";

    WriteBytes(file, "kept");
    fw::TIdIPWatch* off = fw::Create<fw::TIdIPWatch>(nullptr);
    off->HistoryEnabled = false;
    fw::Free(off);
    EXPECT_EQ(4, SizeOf(file)) << "no history written when history is off";
    DeleteFileA(file.c_str());
}

TEST(IPWatch, HistoryFileThatCannotBeWrittenIsIgnored) {
    const std::string dir = MakeTempDir("iphist-bad");
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    fw::TIdIPWatch* w = fw::Create<fw::TIdIPWatch>(nullptr);
    w->HistoryFilename = "no such dir\\iphist.dat";
    EXPECT_NO_THROW(fw::Free(w));
    EXPECT_EQ(-1, SizeOf(dir + "\\no such dir\\iphist.dat"));

    CreateDirectoryA((dir + "\\adir").c_str(), nullptr);
    w = fw::Create<fw::TIdIPWatch>(nullptr);
    w->HistoryFilename = "adir";  // a directory, not a file
    EXPECT_NO_THROW(fw::Free(w));
}

}  // namespace
