// Ownership, names, free notification and the destroying state of components.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/Component.h"

namespace {
std::vector<std::string> g_log;

class Probe : public TComponent {
 public:
  // Named before it joins its owner, so the owner's insert notification sees the name.
  Probe(TComponent* owner, std::string name) {
    SetName(std::move(name));
    if (owner) owner->InsertComponent(this);
  }
  ~Probe() override { g_log.push_back("free " + Name() + (Destroying() ? " destroying" : "")); }
  std::vector<std::string> seen;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    seen.push_back((op == TOperation::Insert ? "insert " : "remove ") + c->Name());
  }
};
}  // namespace

// A component's own destructor runs before its owned components go; they see the destroying
// state of their owner's destruction.
TEST(Component, OwnerFreesOwnedLastCreatedFirstAndMarksThemDestroying) {
  g_log.clear();
  auto* owner = new Probe(nullptr, "owner");
  new Probe(owner, "a");
  new Probe(owner, "b");
  auto* c = new Probe(owner, "c");
  new Probe(c, "c1");
  EXPECT_EQ(owner->ComponentCount(), 3);
  delete owner;
  EXPECT_EQ(g_log,
            (std::vector<std::string>{"free owner", "free c destroying", "free c1 destroying",
                                      "free b destroying", "free a destroying"}));
}

TEST(Component, FreeingAnOwnedComponentTakesItOutOfItsOwner) {
  Probe owner(nullptr, "owner");
  auto* a = new Probe(&owner, "a");
  auto* b = new Probe(&owner, "b");
  EXPECT_EQ(owner.FindComponent("b"), b);
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.FindComponent("a"), nullptr);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  EXPECT_EQ(owner.seen, (std::vector<std::string>{"insert a", "insert b", "remove a"}));
}

TEST(Component, MovingToAnotherOwner) {
  Probe first(nullptr, "first"), second(nullptr, "second");
  auto* a = new Probe(&first, "a");
  second.InsertComponent(a);
  EXPECT_EQ(a->Owner(), &second);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(second.FindComponent("a"), a);
}

TEST(Component, FreeNotificationWorksBothWaysAndEndsWithEitherSide) {
  auto* watched = new Probe(nullptr, "watched");
  auto* watcher = new Probe(nullptr, "watcher");
  watched->FreeNotification(watcher);
  watched->FreeNotification(watcher);  // once only
  delete watched;
  EXPECT_EQ(watcher->seen, (std::vector<std::string>{"remove watched"}));

  // The other way: a watcher freed first is forgotten, so nothing calls into it later.
  auto* again = new Probe(nullptr, "again");
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
