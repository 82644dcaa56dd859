// The object model of the framework: TObject, persistent objects that copy
// themselves with Assign, components with owners and free notification, and
// collections of items.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

class TObject {
 public:
  virtual ~TObject() = default;
  // The class name used in error messages ("TStringList").
  virtual std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// An object whose state can be copied from another one with Assign. Assign
// asks the source's AssignTo when it does not know the source's class; the
// base AssignTo throws EConvertError "Cannot assign a <source> to a <dest>".
class TPersistent : public TObject {
 public:
  virtual void Assign(const TPersistent* source);
  void Assign(const TPersistent& source) { Assign(&source); }

 protected:
  virtual void AssignTo(TPersistent* dest) const;
};

// ---- Components ----

enum TComponentStateFlag : uint32_t {
  csLoading = 1u << 0,     // being built; cleared by Loaded()
  csReading = 1u << 1,     // its stored properties are being read
  csWriting = 1u << 2,
  csDestroying = 1u << 3,  // its destructor has begun (set on owned components too)
  csDesigning = 1u << 4,   // edited in a form designer
  csUpdating = 1u << 5,
};
using TComponentState = uint32_t;

enum class TOperation { opInsert, opRemove };
using enum TOperation;

// A component owns the components created with it as owner and frees them,
// last created first, when it is destroyed; deleting an owned component
// directly removes it from its owner. Free notification: a component that
// keeps a pointer to another calls FreeNotification(other) and is told with
// Notification(other, opRemove) just before other is destroyed, so that it can
// clear the pointer. Every component of an owner hears, through the owner,
// of the insertion and removal of its siblings.
//
// Destruction runs the derived destructor bodies first, then the base frees
// the owned components, so a derived destructor can still reach them. Free()
// (and an owner freeing its components) marks csDestroying before any
// destructor body runs; a plain delete marks it only when the base part runs.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // Sets csDestroying on this component and everything it owns, then deletes it.
  void Free();

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return int(components_.size()); }
  TComponent* Components(int index) const;  // EListError out of range
  // Index in the owner's list, -1 without owner.
  int ComponentIndex() const;
  // The owned component with this name (ASCII case ignored), or nullptr.
  TComponent* FindComponent(std::string_view name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component, last first.
  void DestroyComponents();

  const std::string& Name() const { return name_; }
  // An identifier (letter or '_' first, then letters, digits, '_') or empty,
  // unique among the owner's components; otherwise EComponentError.
  virtual void SetName(const std::string& name);
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t tag) { tag_ = tag; }

  TComponentState ComponentState() const { return state_; }
  bool HasState(TComponentState flags) const { return (state_ & flags) != 0; }
  // Sets or clears csDesigning on this component and its owned components;
  // components inserted later into a designing owner are designing too.
  void SetDesigning(bool designing);

  // Loading pass: BeginLoad marks this component and everything it owns (and
  // everything created with it as owner until EndLoad) with csLoading and
  // csReading; EndLoad clears csReading and calls Loaded() on each marked
  // component, this one first, then the owned ones in creation order.
  void BeginLoad();
  void EndLoad();
  // Called once loading is complete; the base clears csLoading. Overrides call
  // the base first.
  virtual void Loaded();

  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

 protected:
  // Told of the insertion and removal of components of the same owner and of
  // the destruction of components linked by FreeNotification. The base passes
  // the message on to the owned components and, for opRemove, drops the
  // free-notification link.
  virtual void Notification(TComponent* component, TOperation operation);
  virtual void ValidateRename(TComponent* component, const std::string& curName, const std::string& newName);
  void SetState(TComponentState flags, bool on);

 private:
  void Destroying();
  void SetStateDeep(TComponentState flags, bool on);
  void LoadedDeep();

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::string name_;
  intptr_t tag_ = 0;
  TComponentState state_ = 0;
};

// ---- Collections ----

class TCollection;

// An item of a collection. Constructed with a collection, it adds itself to
// its end; deleting it removes it. Derived items implement Assign for copying
// collections.
class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection (or none: then the caller owns it).
  void SetCollection(TCollection* collection);
  int Index() const;  // -1 without collection
  void SetIndex(int index);
  int ID() const { return id_; }
  // Name shown for the item; the class name by default.
  virtual std::string DisplayName() const;

 protected:
  // Tells the collection that this item (or, with allItems, every item) changed.
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

// A list of items of one class; the collection owns its items.
class TCollection : public TPersistent {
 public:
  // Makes a new item for the collection (normally `new Item(collection)`).
  using ItemFactory = std::function<TCollectionItem*(TCollection*)>;
  template <class Item>
  static ItemFactory ItemClass() {
    return [](TCollection* c) -> TCollectionItem* { return new Item(c); };
  }

  explicit TCollection(ItemFactory factory, TPersistent* owner = nullptr);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TPersistent* Owner() const { return owner_; }
  int Count() const { return int(items_.size()); }
  TCollectionItem* Items(int index) const;  // EListError out of range
  template <class Item>
  Item* ItemAs(int index) const {
    return static_cast<Item*>(Items(index));
  }
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem* FindItemID(int id) const;

  // Copies a collection: clears this one, then adds one item per source item
  // and assigns the source item to it.
  void Assign(const TPersistent* source) override;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }
  // Fires after an item changed (item given) or the list changed (nullptr);
  // inside BeginUpdate/EndUpdate once, with nullptr, at the outermost EndUpdate.
  std::function<void(TCollection*, TCollectionItem*)> OnUpdate;

 protected:
  virtual void Update(TCollectionItem* item);

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item, int index);
  void RemoveItem(TCollectionItem* item);
  void Changed(TCollectionItem* item);

  ItemFactory factory_;
  TPersistent* owner_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
  bool pendingUpdate_ = false;
};

}  // namespace vx
