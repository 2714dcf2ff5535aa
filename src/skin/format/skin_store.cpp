#include "skin/format/skin_store.h"

namespace vc {

TSkinCollectionItem::TSkinCollectionItem(TSkinCollection& collection, int id)
    : collection_(collection), id_(id), name_("SkinItem" + std::to_string(id)) {}

void TSkinCollectionItem::SetName(std::string_view name) {
    if (name == name_) return;
    if (collection_.FindByName(name)) throw Exception("The name " + std::string(name) + " is already used.");
    name_ = std::string(name);
}

int TSkinCollectionItem::Index() const {
    for (std::size_t i = 0; i < collection_.items_.size(); ++i)
        if (collection_.items_[i].get() == this) return static_cast<int>(i);
    return -1;
}

void TSkinCollectionItem::Assign(const TSkinCollectionItem& source) {
    if (&source == this) return;
    SetName(source.name_);
    data_ = source.data_;
}

TSkinCollectionItem& TSkinCollection::Add() {
    items_.push_back(std::unique_ptr<TSkinCollectionItem>(new TSkinCollectionItem(*this, next_id_++)));
    return *items_.back();
}

TSkinCollectionItem& TSkinCollection::Item(std::size_t index) {
    if (index >= items_.size()) throw EListError(static_cast<long long>(index));
    return *items_[index];
}

const TSkinCollectionItem& TSkinCollection::Item(std::size_t index) const {
    if (index >= items_.size()) throw EListError(static_cast<long long>(index));
    return *items_[index];
}

void TSkinCollection::Delete(std::size_t index) {
    if (index >= items_.size()) throw EListError(static_cast<long long>(index));
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TSkinCollection::Clear() { items_.clear(); }

void TSkinCollection::Assign(const TSkinCollection& source) {
    if (&source == this) return;
    Clear();
    for (const auto& item : source.items_) Add().Assign(*item);
}

const TSkinCollectionItem* TSkinCollection::FindByName(std::string_view name) const {
    for (const auto& item : items_)
        if (item->name_ == name) return item.get();
    return nullptr;
}

}  // namespace vc

