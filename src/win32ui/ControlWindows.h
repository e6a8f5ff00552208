#pragma once

#include <memory>
#include <string>

#include "platform/win32/WinApi.h"
#include "toolkit/Application.h"
#include "toolkit/Binding.h"
#include "toolkit/Control.h"

namespace fondex::win32ui {

// A native control that renders one control model and follows its changes for as long as it
// lives. The form window hands it the notifications that the control sends to its parent.
class ControlWindow {
 public:
  ControlWindow(toolkit::Control& model, HWND hwnd);
  virtual ~ControlWindow() = default;
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  toolkit::Control& Model() const { return model_; }

  // Position and font for the screen's density.
  virtual void LayOut(UINT dpi);
  // A WM_COMMAND notification code from the control; true when it says the control got the
  // keyboard focus.
  virtual bool Command(WORD code);
  virtual void DrawItem(const DRAWITEMSTRUCT& item);
  // A WM_NOTIFY from the control: its result.
  virtual LRESULT Notify(const NMHDR& header);

 protected:
  // Re-reads the model; each view calls it once at the end of its construction.
  void Refresh();
  // The kind's own properties (caption, text, check mark, ...).
  virtual void ShowContent() {}

 private:
  toolkit::Control& model_;
  HWND hwnd_;
  toolkit::Binding changed_;
};

// A native child control of the form window, hidden until laid out.
HWND CreateChild(const wchar_t* className, const std::string& text, DWORD style, HWND form, int id,
                 DWORD exStyle);

// The view of a control of the form, created in the form's window with the given identifier.
std::unique_ptr<ControlWindow> CreateControlWindow(toolkit::Application& app,
                                                   toolkit::Control& control, HWND form, int id);

}  // namespace fondex::win32ui
