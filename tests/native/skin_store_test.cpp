#include <gtest/gtest.h>

#include <string>

#include "skin/format/skin_store.h"
#include "error_text.h"

namespace vc {
namespace {

std::string RenameError(TSkinCollectionItem& item, const std::string& name) {
    return testing::ErrorText<Exception>([&] { item.SetName(name); });
}

TEST(SkinStore, ItemsAreNamedByIdNotByIndexAndNamesAreUnique) {
    TSkinCollection collection;
    for (int i = 0; i < 7; ++i) collection.Add();
    collection.Delete(0);
    collection.Delete(0);
    TSkinCollectionItem& item = collection.Add();
    EXPECT_EQ(item.Name(), "SkinItem7");
    EXPECT_EQ(item.Index(), 5);
    EXPECT_EQ(collection.Item(0).Name(), "SkinItem2");

    TSkinCollection fresh;
    TSkinCollectionItem& first = fresh.Add();
    TSkinCollectionItem& second = fresh.Add();
    TSkinCollectionItem& third = fresh.Add();
    EXPECT_EQ(RenameError(second, "skinitem1"), "no error");  // was SkinItem1: its own old name is free again
    EXPECT_EQ(RenameError(first, "SkinItem1"), "no error");
    EXPECT_EQ(first.Name(), "SkinItem1");
    EXPECT_EQ(RenameError(third, "SkinItem1"), "The name SkinItem1 is already used.");
    EXPECT_EQ(third.Name(), "SkinItem2");
}

TEST(SkinStore, AssignCopiesWithoutTakingOwnershipAndIndexesAreChecked) {
    TSkinCollection source;
    TSkinCollectionItem& a = source.Add();
    a.ReadData(reinterpret_cast<const std::uint8_t*>("abc"), 3);
    source.Add().SetName("Blue");
    a.SetName("SkinItem1x");

    TSkinStore store;
    store.Store().Add();
    store.SetStore(source);
    ASSERT_EQ(store.Store().Count(), 2u);
    EXPECT_EQ(store.Store().Item(0).Name() + " " + store.Store().Item(1).Name(), "SkinItem1x Blue");
    a.DataStream().push_back('d');  // the copy is independent of the source
    EXPECT_EQ(store.Store().Item(0).WriteData(), (std::vector<std::uint8_t>{'a', 'b', 'c'}));

    EXPECT_EQ(testing::ErrorText<EListError>([&] { store.Store().Item(2); }), "List index out of bounds (2)");
}

}  // namespace
}  // namespace vc
