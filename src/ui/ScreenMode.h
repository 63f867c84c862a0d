#pragma once
#include <cstdint>

class CGameSystem;

// Base of the self-contained full-screen modes (title, map, album, logo, ...). While one is active the
// engine routes updates, drawing and input to it.
class CScreenMode {
public:
  explicit CScreenMode(CGameSystem& game) : game(game) {}
  virtual ~CScreenMode() = default;
  // Non-zero keeps the mode running; 0 ends it.
  virtual int Update(int32_t /*delta*/, int32_t /*x*/, int32_t /*y*/) { return 0; }
  virtual void OnMouseMove(uint32_t /*flags*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnLButtonDown(uint32_t /*flags*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnLButtonUp(uint32_t /*flags*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnRButtonDown(uint32_t /*flags*/, int32_t /*x*/, int32_t /*y*/) {}
  // Non-zero when the mode consumed the key.
  virtual int OnKeyDown(uint32_t /*key*/, uint32_t /*repeat*/, uint32_t /*flags*/) { return 0; }
  // Non-zero when the mode handled the cancel request itself.
  virtual int OnCancel() { return 0; }
  virtual void Draw(int32_t /*x*/, int32_t /*y*/) {}

protected:
  CGameSystem& game;
};
