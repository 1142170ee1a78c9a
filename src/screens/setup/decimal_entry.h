#pragma once
// The value typed on the decimal keypad: tenths of a percent, 0 to 99.9 %.

namespace setup {

class DecimalEntry {
  public:
    static constexpr int kMaximum = 999;

    // A digit that would take the value above 99.9 % is dropped.
    void digit(int d);
    void erase();
    // Whether a key was pressed since the keypad opened.
    bool started() const { return started_; }
    int value() const { return value_; }

  private:
    int value_ = 0;
    bool started_ = false;
};

}  // namespace setup
