#pragma once

class CUxWindow;
class UxCanvas;

// Lets an owner paint around a control: BeforePaint returning false skips the control's content.
class IUxPaintHook {
 public:
  virtual bool BeforePaint(CUxWindow& window, UxCanvas& canvas) = 0;
  virtual void AfterPaint(CUxWindow& window, UxCanvas& canvas) = 0;

 protected:
  ~IUxPaintHook() = default;
};

// Told of the mouse messages that reach a control (move, leave, left button down and up).
class IUxMouseListener {
 public:
  virtual void OnMouseMessage(CUxWindow& window, unsigned int message, int x, int y) = 0;

 protected:
  ~IUxMouseListener() = default;
};
