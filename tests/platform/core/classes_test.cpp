#include "platform/core/classes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/exceptions.h"

namespace vx {
namespace {

std::vector<std::string> gLog;

// Logs destruction, Loaded and notifications; keeps a reference cleared by
// free notification.
class Probe : public TComponent {
 public:
  Probe(TComponent* owner, const std::string& name) : TComponent(owner) { SetName(name); }
  ~Probe() override {
    gLog.push_back("~" + Name() + (HasState(csDestroying) ? "" : "(not destroying)"));
  }
  void SetRef(Probe* p) {
    if (ref) ref->RemoveFreeNotification(this);
    ref = p;
    if (p) p->FreeNotification(this);
  }
  void Loaded() override {
    bool reading = HasState(csReading);
    TComponent::Loaded();
    gLog.push_back("loaded " + Name() + (reading ? " (still reading)" : ""));
  }
  Probe* ref = nullptr;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == ref) {
      ref = nullptr;
      gLog.push_back(Name() + " cleared ref");
    }
  }
};

TEST(Component, OwnedComponentsAreFreedLastFirst) {
  gLog.clear();
  auto* root = new Probe(nullptr, "root");
  auto* a = new Probe(root, "a");
  new Probe(a, "a1");
  new Probe(root, "b");
  EXPECT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(root->FindComponent("B")->ComponentIndex(), 1);
  root->Free();
  // Derived destructor bodies run before the base frees the owned components.
  EXPECT_EQ(gLog, (std::vector<std::string>{"~root", "~b", "~a", "~a1"}));

  // Deleting an owned component directly takes it out of its owner.
  gLog.clear();
  Probe owner(nullptr, "owner");
  auto* c = new Probe(&owner, "c");
  delete c;
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(Component, FreeNotificationClearsReferences) {
  gLog.clear();
  Probe form(nullptr, "form");
  auto* user = new Probe(nullptr, "user");   // not owned by form
  auto* target = new Probe(&form, "target");
  user->SetRef(target);
  target->Free();
  EXPECT_EQ(user->ref, nullptr);
  EXPECT_EQ(gLog, (std::vector<std::string>{"~target", "user cleared ref"}));

  // A removed link is not notified; the one being freed first is forgotten.
  gLog.clear();
  auto* t2 = new Probe(nullptr, "t2");
  user->SetRef(t2);
  user->SetRef(nullptr);
  t2->Free();
  EXPECT_EQ(gLog, (std::vector<std::string>{"~t2"}));
  auto* t3 = new Probe(nullptr, "t3");
  user->SetRef(t3);
  delete user;  // t3 must not keep a dangling link to user
  delete t3;

  // Siblings hear of each other's removal through their owner.
  gLog.clear();
  auto* s1 = new Probe(&form, "s1");
  auto* s2 = new Probe(&form, "s2");
  s1->ref = s2;  // no FreeNotification: same owner
  delete s2;
  EXPECT_EQ(s1->ref, nullptr);
}

TEST(Component, NamesAreIdentifiersUniqueAmongSiblings) {
  Probe owner(nullptr, "owner");
  new Probe(&owner, "Button1");
  auto* other = new Probe(&owner, "Other");
  EXPECT_THROW(other->SetName("button1"), EComponentError);
  EXPECT_EQ(other->Name(), "Other");
  for (const char* bad : {"1abc", "a b", "a-b"}) EXPECT_THROW(other->SetName(bad), EComponentError) << bad;
  other->SetName("");
  EXPECT_THROW(new Probe(&owner, "BUTTON1"), EComponentError);
  EXPECT_EQ(owner.ComponentCount(), 2);  // the refused one did not stay inserted
}

TEST(Component, LoadingPassAndDesignState) {
  gLog.clear();
  Probe form(nullptr, "form");
  form.BeginLoad();
  auto* a = new Probe(&form, "a");
  new Probe(a, "a1");
  EXPECT_TRUE(a->HasState(csLoading));
  form.EndLoad();
  EXPECT_EQ(gLog, (std::vector<std::string>{"loaded form", "loaded a", "loaded a1"}));
  EXPECT_FALSE(a->HasState(csLoading | csReading));
  gLog.clear();
  form.EndLoad();  // a second pass finds nothing to load
  EXPECT_TRUE(gLog.empty());

  form.SetDesigning(true);
  auto* d = new Probe(&form, "d");
  EXPECT_TRUE(d->HasState(csDesigning));
  EXPECT_TRUE(a->HasState(csDesigning));
}

// ---- Persistent objects and collections ----

class Item : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  std::string text;
  void Assign(const TPersistent* source) override {
    if (auto* s = dynamic_cast<const Item*>(source)) {
      text = s->text;
      return;
    }
    TCollectionItem::Assign(source);
  }
};

class Plain : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
};

TEST(Persistent, UnsupportedAssignNamesBothClasses) {
  TCollection c(TCollection::ItemClass<Plain>());
  TCollection items(TCollection::ItemClass<Item>());
  try {
    c.Add()->Assign(items.Add());
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a Item to a Plain");
  }
  EXPECT_THROW(items.Items(0)->Assign(nullptr), EConvertError);
}

TEST(Collection, AddDeleteIndexAndAssign) {
  Probe owner(nullptr, "owner");
  TCollection c(TCollection::ItemClass<Item>(), &owner);
  int updates = 0;
  c.OnUpdate = [&](TCollection*, TCollectionItem*) { ++updates; };
  for (int i = 0; i < 3; ++i) c.Add();
  EXPECT_EQ(c.Count(), 3);
  EXPECT_GE(updates, 3);
  c.ItemAs<Item>(0)->text = "x";
  c.ItemAs<Item>(1)->text = "y";
  c.ItemAs<Item>(2)->text = "z";
  EXPECT_EQ(c.Owner(), &owner);
  EXPECT_EQ(c.Items(2)->Index(), 2);
  int idOfY = c.Items(1)->ID();
  c.Delete(0);
  EXPECT_EQ(c.ItemAs<Item>(0)->text, "y");
  EXPECT_EQ(c.FindItemID(idOfY), c.Items(0));
  EXPECT_THROW(c.Delete(5), EListError);
  auto* inserted = c.Insert(0);
  EXPECT_EQ(inserted->Index(), 0);
  c.Items(2)->SetIndex(0);
  EXPECT_EQ(c.ItemAs<Item>(0)->text, "z");

  TCollection copy(TCollection::ItemClass<Item>());
  copy.Add();  // replaced by the copy
  copy.Assign(&c);
  ASSERT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy.ItemAs<Item>(0)->text, "z");
  EXPECT_EQ(copy.ItemAs<Item>(2)->text, "y");
  EXPECT_NE(copy.Items(0), c.Items(0));
  // Deleting an item directly removes it from its collection.
  delete copy.Items(1);
  EXPECT_EQ(copy.Count(), 2);
}

}  // namespace
}  // namespace vx
