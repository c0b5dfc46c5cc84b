// CNumEdit: an edit field that holds one number with the unit " cm" behind it, kept inside a
// range, stepped by a fixed amount; keystrokes that would make the text invalid are undone.
// CNumSpinCtrl: an up-down control that steps its CNumEdit buddy instead of a whole position.
//
// The value is not kept apart from the text: it is the number at the start of the window text,
// up to the first blank. The decimals shown only grow: once a value with two decimals was shown,
// every later value shows two.
#pragma once

#include <string_view>

#include "platform/controls/spin_button_ctrl.h"
#include "platform/controls/standard_controls.h"

class CNumEdit : public CEdit {
  DECLARE_DYNAMIC(CNumEdit)

 public:
  CNumEdit();
  ~CNumEdit() override;

  // The value plus `steps` × the step, held inside the range, is set with SetValue.
  virtual void ChangeValue(float steps);
  virtual float GetDelta() const;
  virtual void SetDelta(float step);
  virtual void GetRange(float& minimum, float& maximum) const;
  virtual void SetRange(float minimum, float maximum);
  virtual int GetVerbose() const;
  virtual void SetVerbose(int verbose);
  virtual void SetDecimalPlaces(int count);
  virtual int GetDecimalPlaces() const;
  // 0 valid, 1 out of range, 2 not a number, for a given text taken whole. With the verbose
  // switch on, a result other than 0 is also told in a message box.
  virtual int IsValid(const CString& text);
  // The same for the window text up to its first blank.
  virtual int IsValid();
  // FALSE and no change for a value outside the range; otherwise the text becomes the value with
  // the decimals shown and " cm" behind it.
  virtual BOOL SetValue(double value);
  // The number at the start of the window text; while the text holds none (or one outside the
  // range), the last value the field held.
  virtual double GetValue();
  // The fixed-point format for `value` ("%.2f"), raising the decimal places to those "%G" shows.
  virtual void ConstructFormat(CString& format, double value);

 protected:
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

 private:
  int Check(std::string_view text, bool tell);

  int m_nDecimalPlaces = 0;
  int m_nVerbose = 0;
  float m_fDelta = 1.0f;
  float m_fMinValue;
  float m_fMaxValue;
  double m_dLastValue = 0.0;
};

class CNumSpinCtrl : public CSpinButtonCtrl {
  DECLARE_DYNAMIC(CNumSpinCtrl)

 public:
  CNumSpinCtrl();
  ~CNumSpinCtrl() override;

  // Each passes to the buddy when it is a CNumEdit and does nothing otherwise.
  virtual void SetDelta(float step);
  virtual float GetDelta();
  // Makes the window the buddy; a CNumEdit buddy is set to 0. Returns the previous buddy.
  virtual CWnd* SetBuddy(CWnd* pWndBuddy);
  virtual CWnd* GetBuddy() const;
  virtual void GetRange(float& minimum, float& maximum);
  // The control's own range becomes 0 to 1000, then the buddy's range is set.
  virtual void SetRange(float minimum, float maximum);
  virtual double GetPos();
  // The control's own position becomes 500, then the buddy's value is set.
  virtual BOOL SetPos(double value);

  // The control's own range and the middle it returns to near either end.
  static constexpr int kRangeEnd = 1000;
  static constexpr int kMiddle = 500;

 protected:
  afx_msg void OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  CNumEdit* NumBuddy() const;
};
