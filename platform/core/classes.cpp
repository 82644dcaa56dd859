#include "platform/core/classes.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"

namespace vx {

std::string TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                   std::free);
  std::string name = status == 0 && demangled ? demangled.get() : mangled;
  size_t p = name.rfind("::");
  return p == std::string::npos ? name : name.substr(p + 2);
}

void TPersistent::Assign(const TPersistent* source) {
  if (source != nullptr) {
    source->AssignTo(this);
    return;
  }
  throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* dest) const {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " +
                      (dest ? dest->ClassName() : std::string("nil")));
}

}  // namespace vx

namespace vx {

// ---- TComponent ----

namespace {

bool IsIdentifier(const std::string& s) {
  if (s.empty()) return false;
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!alpha(s[0])) return false;
  for (char c : s) {
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}

void EraseOne(std::vector<TComponent*>& v, TComponent* c) {
  for (auto it = v.begin(); it != v.end(); ++it) {
    if (*it == c) {
      v.erase(it);
      return;
    }
  }
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    EraseOne(other->freeNotifies_, this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Destroying() { SetStateDeep(csDestroying, true); }

void TComponent::Free() {
  Destroying();
  delete this;
}

void TComponent::SetState(TComponentState flags, bool on) {
  state_ = on ? (state_ | flags) : (state_ & ~flags);
}

void TComponent::SetStateDeep(TComponentState flags, bool on) {
  SetState(flags, on);
  for (TComponent* c : components_) c->SetStateDeep(flags, on);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) {
    throw EListError("Component index out of bounds (" + std::to_string(index) + ")");
  }
  return components_[size_t(index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  for (size_t i = 0; i < owner_->components_.size(); ++i) {
    if (owner_->components_[i] == this) return int(i);
  }
  return -1;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_) {
    if (SameText(c->name_, name)) return c;
  }
  return nullptr;
}

void TComponent::ValidateRename(TComponent* component, const std::string& /*curName*/,
                                const std::string& newName) {
  TComponent* found = FindComponent(newName);
  if (found && found != component) throw EComponentError("A component named " + newName + " already exists");
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsIdentifier(name)) throw EComponentError("'" + name + "' is not a valid component name");
  if (owner_) owner_->ValidateRename(this, name_, name);
  name_ = name;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component == this || component->owner_ == this) return;
  for (TComponent* o = this; o; o = o->owner_) {
    if (o == component) throw EComponentError("A component cannot own one of its owners");
  }
  ValidateRename(component, std::string(), component->name_);
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  if (HasState(csDesigning)) component->SetDesigning(true);
  if (HasState(csLoading)) component->SetStateDeep(state_ & (csLoading | csReading), true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  Notification(component, opRemove);
  EraseOne(components_, component);
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    RemoveComponent(c);
    c->Free();
  }
}

void TComponent::SetDesigning(bool designing) { SetStateDeep(csDesigning, designing); }

void TComponent::BeginLoad() { SetStateDeep(csLoading | csReading, true); }

void TComponent::EndLoad() {
  SetStateDeep(csReading, false);
  LoadedDeep();
}

void TComponent::LoadedDeep() {
  if (HasState(csLoading)) Loaded();
  // By index: a Loaded() may add or free components.
  for (size_t i = 0; i < components_.size(); ++i) components_[i]->LoadedDeep();
}

void TComponent::Loaded() { SetState(csLoading, false); }

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  for (TComponent* c : freeNotifies_) {
    if (c == component) return;
  }
  freeNotifies_.push_back(component);
  component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  EraseOne(freeNotifies_, component);
  EraseOne(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) RemoveFreeNotification(component);
  // By index: a handler may free components of this owner.
  for (size_t i = 0; i < components_.size(); ++i) {
    if (components_[i] != component) components_[i]->Notification(component, operation);
  }
}

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* collection) {
  if (collection) collection->InsertItem(this, collection->Count());
}

TCollectionItem::~TCollectionItem() {
  if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (collection) collection->InsertItem(this, collection->Count());
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& v = collection_->items_;
  for (size_t i = 0; i < v.size(); ++i) {
    if (v[i] == this) return int(i);
  }
  return -1;
}

void TCollectionItem::SetIndex(int index) {
  int cur = Index();
  if (cur < 0 || index == cur) return;
  auto& v = collection_->items_;
  if (index < 0 || index >= int(v.size())) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
  v.erase(v.begin() + cur);
  v.insert(v.begin() + index, this);
  Changed(true);
}

std::string TCollectionItem::DisplayName() const { return ClassName(); }

void TCollectionItem::Changed(bool allItems) {
  if (collection_) collection_->Changed(allItems ? nullptr : this);
}

// ---- TCollection ----

TCollection::TCollection(ItemFactory factory, TPersistent* owner) : factory_(std::move(factory)), owner_(owner) {}

TCollection::~TCollection() {
  updateCount_ = 1;  // no notifications while going away
  while (!items_.empty()) delete items_.back();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return items_[size_t(index)];
}

void TCollection::InsertItem(TCollectionItem* item, int index) {
  items_.insert(items_.begin() + index, item);
  item->collection_ = this;
  item->id_ = nextId_++;
  Changed(nullptr);
}

void TCollection::RemoveItem(TCollectionItem* item) {
  for (auto it = items_.begin(); it != items_.end(); ++it) {
    if (*it == item) {
      items_.erase(it);
      break;
    }
  }
  item->collection_ = nullptr;
  Changed(nullptr);
}

TCollectionItem* TCollection::Add() { return Insert(Count()); }

TCollectionItem* TCollection::Insert(int index) {
  if (index < 0 || index > Count()) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
  if (!factory_) throw EListError("Collection has no item class");
  BeginUpdate();
  TCollectionItem* item = nullptr;
  try {
    item = factory_(this);
    if (!item) throw EListError("Collection item factory made no item");
    if (item->collection_ != this) item->SetCollection(this);
    item->SetIndex(index);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* i : items_) {
    if (i->id_ == id) return i;
  }
  return nullptr;
}

void TCollection::Assign(const TPersistent* source) {
  auto* src = dynamic_cast<const TCollection*>(source);
  if (!src) {
    TPersistent::Assign(source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  try {
    Clear();
    for (int i = 0; i < src->Count(); ++i) Add()->Assign(src->Items(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && pendingUpdate_) {
    pendingUpdate_ = false;
    Update(nullptr);
  }
}

void TCollection::Changed(TCollectionItem* item) {
  if (updateCount_ > 0) {
    pendingUpdate_ = true;
    return;
  }
  Update(item);
}

void TCollection::Update(TCollectionItem* item) {
  if (OnUpdate) OnUpdate(this, item);
}

}  // namespace vx
