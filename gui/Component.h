// The toolkit's component: an owner frees what it owns, last created first; components have
// names, tell each other when they are freed, and carry the loading and destroying states. As
// the library's tracked objects, live components show in the shut-down report of debug mode.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "gen0/GenTrack.h"

class TComponent;
class TFreeWatch;

enum class TOperation { Insert, Remove };
using TNotifyEvent = std::function<void(TComponent* sender)>;

// Component states.
enum : std::uint32_t {
  csLoading = 1,     // being built from its description
  csDestroying = 2,  // its destruction has begun
};

class TComponent : public TCComponent {
 public:
  // Joins owner's list at once; the owner hears of the new component in AfterConstruction,
  // when it is a whole object of its own class (New does that).
  explicit TComponent(TComponent* owner = nullptr);
  ~TComponent() override;

  // Tells the owner of the finished component (Notification Insert).
  void AfterConstruction();

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }

  std::uint32_t ComponentState() const { return state_; }
  bool Loading() const { return (state_ & csLoading) != 0; }
  bool Destroying() const { return (state_ & csDestroying) != 0; }
  void SetLoading(bool on);
  // Marks this component and everything it owns as being destroyed.
  void MarkDestroying();

  // The owned components in order of insertion.
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* FindComponent(const std::string& name) const;

  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);
  // Frees every owned component, the last inserted first.
  void DestroyComponents();

  // c is told through Notification(this, Remove) when this component is freed, and the other
  // way round.
  void FreeNotification(TComponent* c);
  void RemoveFreeNotification(TComponent* c);

 protected:
  // An owned component was inserted or removed, or a component this one watches is freed.
  virtual void Notification(TComponent* c, TOperation op);

 private:
  friend class TFreeWatch;
  void Insert(TComponent* c);
  void Remove(TComponent* c);

  TComponent* owner_ = nullptr;
  std::string name_;
  std::uint32_t state_ = 0;
  bool constructed_ = false;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  TFreeWatch* watches_ = nullptr;
};

// Builds a component and lets its owner know of it.
template <class T, class... A>
T* New(A&&... args) {
  T* c = new T(std::forward<A>(args)...);
  try {
    c->AfterConstruction();
  } catch (...) {
    delete c;
    throw;
  }
  return c;
}

// Code that calls out while holding a component (a handler, a nested message loop) asks
// afterwards whether the component still exists.
class TFreeWatch {
 public:
  explicit TFreeWatch(TComponent* c);
  ~TFreeWatch();
  TFreeWatch(const TFreeWatch&) = delete;
  TFreeWatch& operator=(const TFreeWatch&) = delete;
  bool Freed() const { return c_ == nullptr; }

 private:
  friend class TComponent;
  TComponent* c_;
  TFreeWatch* next_ = nullptr;
};
