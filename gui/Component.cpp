#include "gui/Component.h"

#include <algorithm>

namespace {
void Erase(std::vector<TComponent*>& v, TComponent* c) {
  auto it = std::find(v.begin(), v.end(), c);
  if (it != v.end()) v.erase(it);
}
}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->Insert(this);
}

TComponent::~TComponent() {
  for (TFreeWatch* w = watches_; w; w = w->next_) w->c_ = nullptr;
  watches_ = nullptr;
  MarkDestroying();
  // Tell the watchers first, so none of them keeps a pointer into a half-freed component.
  while (!freeNotifies_.empty()) {
    TComponent* c = freeNotifies_.back();
    freeNotifies_.pop_back();
    Erase(c->freeNotifies_, this);
    c->Notification(this, TOperation::Remove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::AfterConstruction() {
  if (constructed_) return;
  constructed_ = true;
  if (owner_) owner_->Notification(this, TOperation::Insert);
}

void TComponent::SetLoading(bool on) {
  if (on)
    state_ |= csLoading;
  else
    state_ &= ~csLoading;
}

void TComponent::MarkDestroying() {
  if (Destroying()) return;
  state_ |= csDestroying;
  for (TComponent* c : components_) c->MarkDestroying();
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (c->name_ == name) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
  if (c->owner_) c->owner_->RemoveComponent(c);
  Insert(c);
  // A component still under construction is announced by its AfterConstruction.
  if (c->constructed_) Notification(c, TOperation::Insert);
}

void TComponent::RemoveComponent(TComponent* c) {
  if (c->owner_ != this) return;
  Notification(c, TOperation::Remove);
  Remove(c);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    Remove(c);
    delete c;
  }
}

void TComponent::FreeNotification(TComponent* c) {
  if (!c || c == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), c) == freeNotifies_.end()) {
    freeNotifies_.push_back(c);
    c->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* c) {
  if (!c) return;
  Erase(freeNotifies_, c);
  Erase(c->freeNotifies_, this);
}

void TComponent::Notification(TComponent* c, TOperation op) {
  if (op == TOperation::Remove) RemoveFreeNotification(c);
}

void TComponent::Insert(TComponent* c) {
  components_.push_back(c);
  c->owner_ = this;
}

void TComponent::Remove(TComponent* c) {
  Erase(components_, c);
  c->owner_ = nullptr;
}

TFreeWatch::TFreeWatch(TComponent* c) : c_(c) {
  if (!c) return;
  next_ = c->watches_;
  c->watches_ = this;
}

TFreeWatch::~TFreeWatch() {
  if (!c_) return;
  for (TFreeWatch** p = &c_->watches_; *p; p = &(*p)->next_) {
    if (*p == this) {
      *p = next_;
      break;
    }
  }
}
