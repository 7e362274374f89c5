#pragma once
// The root widget: the whole application state and its one child, the
// current view. It applies asynchronous results one per update and answers
// the desktop's resource operations.

#include <cstdint>
#include <memory>

#include "app/state.hpp"
#include "ui/widget.hpp"

namespace app {

class Orvane final : public ui::Widget {
 public:
  // Live start: the loading view, and a refresh under way.
  static std::unique_ptr<Orvane> create(Services services);
  // A preview scenario: sample data in one view, nothing started.
  static std::unique_ptr<Orvane> for_scenario(std::uint8_t scenario, Services services);

  ui::Kind kind() const override { return ui::Kind::Custom; }
  std::string_view short_name() const override { return "Orvane"; }
  std::vector<ui::Widget*> children() override { return {state_.content.get()}; }
  using ui::Widget::children;

  void sync(ui::Context& context) override;
  bool update(ui::Context& context) override;
  bool needs_idle_sync() const override;
  std::vector<std::string> own_operation_names() const override;
  std::vector<ui::Resource> resources() const override;
  ui::OperationOutcome resource_operation(std::uint8_t execution_kind, std::string_view name,
                                          std::string_view payload) override;
  bool take_structure_dirty() override;

  // For tests and tooling: the state, read-only, and the current view.
  const State& state() const { return state_; }
  State& state_for_tests() { return state_; }
  ui::Widget& content() { return *state_.content; }

 private:
  explicit Orvane(Services services);
  bool poll_document_picker();
  bool poll_preview();
  bool poll_save_picker();
  bool poll_refresh();

  State state_;
};

}  // namespace app
