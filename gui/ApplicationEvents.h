// A component that receives the application's events; its exception event comes before the
// application's own.
#pragma once

#include "gui/Application.h"

class TApplicationEvents : public TComponent {
 public:
  explicit TApplicationEvents(TComponent* owner = nullptr);
  ~TApplicationEvents() override;
  std::string ClassName() const override { return "TApplicationEvents"; }

  TExceptionEvent OnException;
};
