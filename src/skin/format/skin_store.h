#pragma once
// TSkinStore: the skins the executable carries, each an item holding one
// compressed skin stream. In the runtime the items come from the
// executable's resources, one per item, by name.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/errors.h"

namespace vc {

class TSkinCollection;

class TSkinCollectionItem {
public:
    TSkinCollectionItem(const TSkinCollectionItem&) = delete;
    TSkinCollectionItem& operator=(const TSkinCollectionItem&) = delete;

    const std::string& Name() const { return name_; }
    // Names are unique in their collection, compared exactly; a name another
    // item has raises "The name <name> is already used." and keeps the old one.
    void SetName(std::string_view name);
    std::string DisplayName() const { return name_; }

    int ID() const { return id_; }
    int Index() const;

    std::vector<std::uint8_t>& DataStream() { return data_; }
    const std::vector<std::uint8_t>& DataStream() const { return data_; }
    std::size_t DataSize() const { return data_.size(); }

    // Kept for design tools: reads "Load Skin", ignores what is written.
    std::string SkinData() const { return "Load Skin"; }
    void SetSkinData(std::string_view) {}

    // Copies the name and the whole stream.
    void Assign(const TSkinCollectionItem& source);

    // Persistence of the "DataStream" property: its value is the stream's
    // bytes, nothing more.
    void ReadData(const std::uint8_t* bytes, std::size_t size) { data_.assign(bytes, bytes + size); }
    const std::vector<std::uint8_t>& WriteData() const { return data_; }

private:
    friend class TSkinCollection;
    TSkinCollectionItem(TSkinCollection& collection, int id);

    TSkinCollection& collection_;
    int id_;
    std::string name_;
    std::vector<std::uint8_t> data_;
};

class TSkinCollection {
public:
    TSkinCollection() = default;
    TSkinCollection(const TSkinCollection&) = delete;
    TSkinCollection& operator=(const TSkinCollection&) = delete;

    // A new item at the end, named "SkinItem" + its ID.
    TSkinCollectionItem& Add();
    std::size_t Count() const { return items_.size(); }
    // Raises EListError for an index outside the collection.
    TSkinCollectionItem& Item(std::size_t index);
    const TSkinCollectionItem& Item(std::size_t index) const;
    void Delete(std::size_t index);
    void Clear();
    int NextID() const { return next_id_; }

    // Replaces the items with copies of the other collection's.
    void Assign(const TSkinCollection& source);

    const TSkinCollectionItem* FindByName(std::string_view name) const;

private:
    friend class TSkinCollectionItem;
    std::vector<std::unique_ptr<TSkinCollectionItem>> items_;
    int next_id_ = 0;
};

class TSkinStore {
public:
    TSkinStore() = default;
    TSkinStore(const TSkinStore&) = delete;
    TSkinStore& operator=(const TSkinStore&) = delete;

    TSkinCollection& Store() { return store_; }
    const TSkinCollection& Store() const { return store_; }
    // Copies the items; the argument stays its owner's.
    void SetStore(const TSkinCollection& collection) { store_.Assign(collection); }

private:
    TSkinCollection store_;
};

}  // namespace vc
