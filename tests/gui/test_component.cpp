// Ownership, names, free notification and the destroying state of components.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/Component.h"

namespace {
std::vector<std::string> g_log;

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::string name) : TComponent(owner) { SetName(std::move(name)); }
  std::string ClassName() const override { return "Probe"; }
  ~Probe() override { g_log.push_back("free " + Name() + (Destroying() ? " destroying" : "")); }
  std::vector<std::string> seen;
  std::vector<std::string> classes;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    seen.push_back((op == TOperation::Insert ? "insert " : "remove ") + c->Name());
    if (op == TOperation::Insert) classes.push_back(c->ClassName());
  }
};
}  // namespace

// A component's own destructor runs before its owned components go; they see the destroying
// state of their owner's destruction.
TEST(Component, OwnerFreesOwnedLastCreatedFirstAndMarksThemDestroying) {
  g_log.clear();
  auto* owner = New<Probe>(nullptr, "owner");
  New<Probe>(owner, "a");
  New<Probe>(owner, "b");
  auto* c = New<Probe>(owner, "c");
  New<Probe>(c, "c1");
  EXPECT_EQ(owner->ComponentCount(), 3);
  delete owner;
  EXPECT_EQ(g_log,
            (std::vector<std::string>{"free owner", "free c destroying", "free c1 destroying",
                                      "free b destroying", "free a destroying"}));
}

TEST(Component, FreeingAnOwnedComponentTakesItOutOfItsOwner) {
  Probe owner(nullptr, "owner");
  auto* a = New<Probe>(&owner, "a");
  auto* b = New<Probe>(&owner, "b");
  EXPECT_EQ(owner.FindComponent("b"), b);
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.FindComponent("a"), nullptr);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  EXPECT_EQ(owner.seen, (std::vector<std::string>{"insert a", "insert b", "remove a"}));
}

// The owner hears of a new component once it is whole: its own class and its name.
TEST(Component, InsertNotificationSeesTheFinishedComponent) {
  Probe owner(nullptr, "owner");
  New<Probe>(&owner, "a");
  new Probe(&owner, "unannounced");  // owned, but never announced without New
  EXPECT_EQ(owner.seen, (std::vector<std::string>{"insert a"}));
  EXPECT_EQ(owner.classes, (std::vector<std::string>{"Probe"}));
}

TEST(Component, FreeWatchTellsWhetherTheComponentWasFreed) {
  auto* c = New<Probe>(nullptr, "c");
  TFreeWatch kept(c);
  {
    TFreeWatch inner(c);
    EXPECT_FALSE(inner.Freed());
  }  // unlinks itself
  delete c;
  EXPECT_TRUE(kept.Freed());
}

TEST(Component, MovingToAnotherOwner) {
  Probe first(nullptr, "first"), second(nullptr, "second");
  auto* a = New<Probe>(&first, "a");
  second.InsertComponent(a);
  EXPECT_EQ(a->Owner(), &second);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(second.FindComponent("a"), a);
}

TEST(Component, FreeNotificationWorksBothWaysAndEndsWithEitherSide) {
  auto* watched = New<Probe>(nullptr, "watched");
  auto* watcher = New<Probe>(nullptr, "watcher");
  watched->FreeNotification(watcher);
  watched->FreeNotification(watcher);  // once only
  delete watched;
  EXPECT_EQ(watcher->seen, (std::vector<std::string>{"remove watched"}));

  // The other way: a watcher freed first is forgotten, so nothing calls into it later.
  auto* again = New<Probe>(nullptr, "again");
  again->FreeNotification(watcher);
  delete watcher;
  EXPECT_EQ(again->seen, (std::vector<std::string>{"remove watcher"}));
  delete again;
}

TEST(Component, LoadingState) {
  TComponent c;
  EXPECT_FALSE(c.Loading());
  c.SetLoading(true);
  EXPECT_TRUE(c.Loading());
  EXPECT_EQ(c.ComponentState(), csLoading);
  c.SetLoading(false);
  EXPECT_EQ(c.ComponentState(), 0u);
}

TEST(Component, ComponentsAreTrackedForTheShutDownReport) {
  CreateObjectRegistry();
  auto* c = New<Probe>(nullptr, "tracked");
  EXPECT_NE(LiveObjectReport().find(" Probe\r\n"), std::string::npos);
  delete c;
  EXPECT_EQ(LiveObjectReport(), "");
  delete g_TCObjectArray;
  g_TCObjectArray = nullptr;
}
