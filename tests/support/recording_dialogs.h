// A dialog host for tests: records every notice and question and answers
// questions from a queue (No when the queue is empty).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/platform/dialogs.h"

namespace tessaro::test {

class RecordingDialogs final : public Dialogs {
 public:
  struct Shown {
    std::string kind;  // "Komunikat", "PytanieTakNie", "PytanieTakNieAnuluj"
    std::string caption;
    std::string text;
  };

  RecordingDialogs() { SetDialogs(this); }
  ~RecordingDialogs() override { SetDialogs(nullptr); }

  void Komunikat(const std::string& caption, const std::string& text) override {
    shown.push_back({"Komunikat", caption, text});
  }
  Answer PytanieTakNie(const std::string& caption, const std::string& text,
                       QuestionIcon) override {
    shown.push_back({"PytanieTakNie", caption, text});
    return NextAnswer();
  }
  Answer PytanieTakNieAnuluj(const std::string& caption, const std::string& text) override {
    shown.push_back({"PytanieTakNieAnuluj", caption, text});
    return NextAnswer();
  }

  std::vector<Shown> shown;
  std::deque<Answer> answers;

 private:
  Answer NextAnswer() {
    if (answers.empty()) return Answer::No;
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace tessaro::test
