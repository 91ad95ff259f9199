// Data handed from a COleDataSource to a COleDataObject, without a drag.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "platform/framework/shared_file.h"
#include "platform/ui/ole_data_object.h"
#include "platform/ui/ole_data_source.h"
#include "platform/ui/ole_init.h"
#include "platform/ui/ole_stg_medium.h"

namespace {

CLIPFORMAT Format(const char* name)
{
    return static_cast<CLIPFORMAT>(::RegisterClipboardFormatA(name));
}

HGLOBAL BlockOf(const std::string& text)
{
    CSharedFile file;
    file.Write(text.data(), static_cast<UINT>(text.size()));
    return file.Detach();
}

std::string TextOf(HGLOBAL memory)
{
    const char* block = static_cast<const char*>(::GlobalLock(memory));
    std::string text(block, ::GlobalSize(memory));
    ::GlobalUnlock(memory);
    return text;
}

std::string ReadAll(CFile& file)
{
    std::string text(static_cast<size_t>(file.GetLength()), '\0');
    EXPECT_EQ(file.Read(text.data(), static_cast<UINT>(text.size())), text.size());
    return text;
}

class OleDataTransfer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(AfxOleInit()); }
    void TearDown() override { AfxOleTerm(); }

    void Receive(COleDataSource& source) { received.Attach(source.GetDataObject(), FALSE); }

    const CLIPFORMAT offered = Format("TvxOleTestOffered");
    const CLIPFORMAT missing = Format("TvxOleTestMissing");
    COleDataObject received;
};

TEST_F(OleDataTransfer, SharedFileDetachedIntoSourceReadsBackAsFileAndAsGlobalBlock)
{
    COleDataSource source;
    source.CacheGlobalData(offered, BlockOf("one serialised button"));
    Receive(source);

    std::unique_ptr<CFile> file(received.GetFileData(offered));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetPosition(), 0u);
    EXPECT_EQ(ReadAll(*file), "one serialised button");

    // Each reader gets a block of its own; the source's stays for the next.
    HGLOBAL first = received.GetGlobalData(offered);
    HGLOBAL second = received.GetGlobalData(offered);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(TextOf(first), "one serialised button");
    ::GlobalFree(first);
    EXPECT_EQ(TextOf(second), "one serialised button");
    ::GlobalFree(second);
}

TEST_F(OleDataTransfer, DataPutOnTheClipboardReadsBackThroughIt)
{
    COleDataSource source;
    source.CacheGlobalData(offered, BlockOf("a copied button"));
    ASSERT_HRESULT_SUCCEEDED(::OleSetClipboard(source.GetDataObject()));

    ASSERT_TRUE(received.AttachClipboard());
    EXPECT_TRUE(received.IsDataAvailable(offered));
    EXPECT_FALSE(received.IsDataAvailable(missing));
    std::unique_ptr<CFile> file(received.GetFileData(offered));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(*file), "a copied button");
    received.Release();
    EXPECT_HRESULT_SUCCEEDED(::OleSetClipboard(nullptr));
}

TEST_F(OleDataTransfer, AvailabilityFollowsTheCachedFormatsAndMedia)
{
    COleDataSource source;
    source.CacheGlobalData(offered, BlockOf("x"));
    Receive(source);
    FORMATETC asStream = {offered, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
    FORMATETC asIcon = {offered, nullptr, DVASPECT_ICON, -1, TYMED_HGLOBAL};
    struct Case {
        const char* name;
        CLIPFORMAT format;
        FORMATETC* formatEtc;
        BOOL available;
    } cases[] = {
        {"cached format", offered, nullptr, TRUE},
        {"other format", missing, nullptr, FALSE},
        {"cached format in a stream", offered, &asStream, FALSE},
        {"cached format as an icon", offered, &asIcon, FALSE},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(received.IsDataAvailable(c.format, c.formatEtc), c.available);
    }
}

TEST_F(OleDataTransfer, MissingDataGivesNull)
{
    COleDataSource source;
    source.CacheGlobalData(offered, BlockOf("x"));
    source.CacheGlobalData(missing, nullptr);  // nothing to cache
    Receive(source);
    EXPECT_EQ(received.GetGlobalData(missing), nullptr);
    EXPECT_EQ(received.GetFileData(missing), nullptr);

    COleDataObject unattached;
    EXPECT_FALSE(unattached.IsDataAvailable(offered));
    EXPECT_EQ(unattached.GetGlobalData(offered), nullptr);
    EXPECT_EQ(unattached.GetFileData(offered), nullptr);
}

TEST_F(OleDataTransfer, CachingAFormatAgainReplacesItsData)
{
    COleDataSource source;
    source.CacheGlobalData(offered, BlockOf("old"));
    source.CacheGlobalData(offered, BlockOf("new"));
    Receive(source);
    HGLOBAL memory = received.GetGlobalData(offered);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(TextOf(memory), "new");
    ::GlobalFree(memory);
}

TEST_F(OleDataTransfer, DataObjectKeptAfterTheSourceIsGoneStillHoldsTheData)
{
    {
        COleDataSource source;
        source.CacheGlobalData(offered, BlockOf("kept"));
        Receive(source);
    }
    std::unique_ptr<CFile> file(received.GetFileData(offered));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(*file), "kept");
}

TEST_F(OleDataTransfer, EmptiedSourceOffersNothing)
{
    COleDataSource source;
    source.CacheGlobalData(offered, BlockOf("x"));
    Receive(source);
    source.Empty();
    EXPECT_FALSE(received.IsDataAvailable(offered));
    EXPECT_EQ(received.GetGlobalData(offered), nullptr);
}

TEST_F(OleDataTransfer, SourceEnumeratesItsFormats)
{
    COleDataSource source;
    source.CacheGlobalData(offered, BlockOf("x"));
    tvx::com::ComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(source.GetDataObject()->EnumFormatEtc(DATADIR_GET, formats.Receive()), S_OK);
    FORMATETC format = {};
    ULONG fetched = 0;
    ASSERT_EQ(formats->Next(1, &format, &fetched), S_OK);
    EXPECT_EQ(format.cfFormat, offered);
    EXPECT_EQ(format.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(formats->Next(1, &format, &fetched), S_FALSE);
}

TEST(OleInit, InitialisationIsPerThreadAndEndsWithTerm)
{
    std::thread([] {
        EXPECT_FALSE(AfxOleIsInitialized());
        ASSERT_TRUE(AfxOleInit());
        EXPECT_TRUE(AfxOleIsInitialized());
        std::thread([] { EXPECT_FALSE(AfxOleIsInitialized()); }).join();
        AfxOleTerm();
        EXPECT_FALSE(AfxOleIsInitialized());
    }).join();
}

TEST(OleInit, ThreadInTheMultithreadedApartmentGetsNoOle)
{
    std::thread([] {
        ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        EXPECT_FALSE(AfxOleInit());
        EXPECT_FALSE(AfxOleIsInitialized());
        ::CoUninitialize();
    }).join();
}

}  // namespace
