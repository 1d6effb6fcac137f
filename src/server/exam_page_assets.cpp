// The style and the script every page carries inline: the pages must work on a school's
// network with nothing fetched from anywhere else.
#include <string_view>

namespace quizmora {

extern const std::string_view kExamPageStyle;
extern const std::string_view kExamPageScript;

const std::string_view kExamPageStyle = R"css(
*{box-sizing:border-box}
body{margin:0;font:18px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,sans-serif;color:#1d2330;background:#f3f5f8}
main{max-width:42rem;margin:0 auto;padding:1rem}
h1{font-size:1.5rem;margin:.5rem 0 1rem}
.note,.meta,.progress{color:#5a6272;font-size:.95rem}
.exams{list-style:none;margin:0;padding:0}
.exams li{display:flex;align-items:stretch;gap:.5rem;margin:0 0 .75rem}
a.exam{flex:1;display:block;padding:.9rem 1rem;background:#fff;border:1px solid #d5dae3;border-radius:.6rem;color:inherit;text-decoration:none}
a.exam .title{display:block;font-weight:600;color:#1a56c4}
a.file{align-self:center;padding:.6rem;color:#1a56c4}
.text{white-space:pre-wrap;overflow-wrap:anywhere}
.question{font-size:1.15rem;margin:.5rem 0 1rem}
.choices{display:flex;flex-direction:column;gap:.6rem;margin:0 0 1rem}
.choice{display:flex;align-items:center;gap:.75rem;min-height:3.25rem;padding:.6rem .9rem;background:#fff;border:2px solid #d5dae3;border-radius:.6rem;cursor:pointer}
.choice input{width:1.5rem;height:1.5rem;flex:none;margin:0}
.choice.right{border-color:#1f8a4c;background:#e6f6ec}
.choice.wrong{border-color:#c23b32;background:#fbeaea}
.card{min-height:12rem;display:flex;align-items:center;justify-content:center;text-align:center;padding:1.25rem;background:#fff;border:2px solid #d5dae3;border-radius:.8rem;cursor:pointer;margin:0 0 1rem;font-size:1.2rem}
.card.back{background:#fff8e1;border-color:#e0b43a}
.feedback{font-weight:600;margin:0 0 1rem}
.feedback.right{color:#1f8a4c}.feedback.wrong{color:#c23b32}
.buttons{display:flex;gap:.75rem;flex-wrap:wrap}
button{font:inherit;min-height:3rem;min-width:7rem;padding:.5rem 1.1rem;border-radius:.6rem;border:1px solid #1a56c4;background:#1a56c4;color:#fff;cursor:pointer}
button.secondary{background:#fff;color:#1a56c4}
button:disabled{opacity:.45;cursor:default}
.score{font-size:1.3rem;font-weight:600}
.review{list-style:none;padding:0}
.review li{background:#fff;border:1px solid #d5dae3;border-radius:.6rem;padding:.75rem 1rem;margin:0 0 .75rem}
.review .mark{font-weight:600}
.review .right{color:#1f8a4c}.review .wrong{color:#c23b32}
.review ul{margin:.4rem 0 0;padding-left:1.2rem}
)css";

// One question per screen; the exam's mode says when right and wrong are shown: after each
// answer (learning), only at the end (exam), or as the student chooses at the start.
const std::string_view kExamPageScript = R"js(
(function () {
  'use strict';
  var exam = JSON.parse(document.getElementById('exam-data').textContent);
  var app = document.getElementById('app');
  var questions = exam.questions;
  var picks = questions.map(function (q) { return q.answers.map(function () { return false; }); });
  var checked = questions.map(function () { return false; });
  var flipped = questions.map(function () { return false; });
  var learning = exam.mode === 2;
  var index = 0;
  var checkButton = null;

  function el(tag, className, text) {
    var node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined) node.textContent = text;
    return node;
  }
  function button(label, className, onClick) {
    var node = el('button', className, label);
    node.type = 'button';
    node.addEventListener('click', onClick);
    return node;
  }
  function kind(q) { return q.type === 1 ? 'multiple' : q.type === 2 ? 'card' : 'one'; }
  function isChoice(q) { return kind(q) !== 'card'; }
  function answered(i) { return picks[i].some(Boolean); }
  function isRight(i) {
    var q = questions[i];
    if (kind(q) === 'one') {
      return q.answers.some(function (a, j) { return a.correct && picks[i][j]; });
    }
    return q.answers.every(function (a, j) { return a.correct === picks[i][j]; });
  }
  function rightAnswers(q) {
    return q.answers.filter(function (a) { return kind(q) === 'card' || a.correct; });
  }
  function show(screen) {
    app.textContent = '';
    app.appendChild(screen);
    window.scrollTo(0, 0);
  }

  function start() {
    var screen = el('section', 'start');
    screen.appendChild(el('h1', 'text', exam.title || exam.name));
    if (exam.author) screen.appendChild(el('p', 'meta text', exam.author));
    screen.appendChild(el('p', 'meta', questions.length + (questions.length === 1 ? ' question' : ' questions')));
    var buttons = el('div', 'buttons');
    function begin(asLearning) {
      return function () { learning = asLearning; index = 0; question(); };
    }
    if (questions.length === 0) {
      screen.appendChild(el('p', 'note', 'This exam has no questions.'));
    } else if (exam.mode === 1 || exam.mode === 2) {
      screen.appendChild(el('p', 'note', exam.mode === 2 ?
          'You see right or wrong after each answer.' : 'You see your score at the end.'));
      buttons.appendChild(button('Start', '', begin(exam.mode === 2)));
    } else {
      screen.appendChild(el('p', 'note', 'Learning: see right or wrong after each answer. Exam: see your score at the end.'));
      buttons.appendChild(button('Learning', '', begin(true)));
      buttons.appendChild(button('Exam', 'secondary', begin(false)));
    }
    screen.appendChild(buttons);
    show(screen);
  }

  function choices(q, i, locked) {
    var list = el('div', 'choices');
    var multiple = kind(q) === 'multiple';
    q.answers.forEach(function (a, j) {
      var label = el('label', 'choice');
      var input = document.createElement('input');
      input.type = multiple ? 'checkbox' : 'radio';
      input.name = 'q' + i;
      input.checked = picks[i][j];
      input.disabled = locked;
      input.addEventListener('change', function () {
        if (!multiple) picks[i] = picks[i].map(function () { return false; });
        picks[i][j] = input.checked;
        if (checkButton) checkButton.disabled = !answered(i);
      });
      label.appendChild(input);
      label.appendChild(el('span', 'text', a.text));
      if (locked && a.correct) label.classList.add('right');
      if (locked && !a.correct && picks[i][j]) label.classList.add('wrong');
      list.appendChild(label);
    });
    return list;
  }

  function card(q, i) {
    var face = el('div', flipped[i] ? 'card back' : 'card');
    face.setAttribute('role', 'button');
    face.tabIndex = 0;
    var text = flipped[i] ? q.answers.map(function (a) { return a.text; }).join('\n') : q.text;
    face.appendChild(el('span', 'text', text || (flipped[i] ? '(no answer)' : '')));
    function turn() { flipped[i] = !flipped[i]; question(); }
    face.addEventListener('click', turn);
    face.addEventListener('keydown', function (e) { if (e.key === 'Enter' || e.key === ' ') { e.preventDefault(); turn(); } });
    return face;
  }

  function question() {
    var q = questions[index];
    var screen = el('section', 'question-screen');
    screen.appendChild(el('p', 'progress', 'Question ' + (index + 1) + ' of ' + questions.length));
    var locked = learning && checked[index];
    if (kind(q) === 'card') {
      screen.appendChild(el('p', 'note', flipped[index] ? 'The answer. Tap the card to turn it back.' : 'Tap the card to turn it over.'));
      screen.appendChild(card(q, index));
    } else {
      screen.appendChild(el('p', 'question text', q.text));
      screen.appendChild(el('p', 'note', kind(q) === 'multiple' ? 'Tick every right answer.' : 'Pick one answer.'));
      screen.appendChild(choices(q, index, locked));
      if (locked) {
        var right = isRight(index);
        screen.appendChild(el('p', 'feedback ' + (right ? 'right' : 'wrong'), right ? 'Right!' : 'Wrong.'));
      }
    }
    var buttons = el('div', 'buttons');
    var back = button('Back', 'secondary', function () { index -= 1; question(); });
    back.disabled = index === 0;
    buttons.appendChild(back);
    var last = index === questions.length - 1;
    checkButton = null;
    if (learning && isChoice(q) && !checked[index]) {
      var check = button('Check', '', function () { checked[index] = true; question(); });
      check.disabled = !answered(index);
      checkButton = check;
      buttons.appendChild(check);
    } else {
      buttons.appendChild(button(last ? 'Finish' : 'Next', '', function () {
        if (last) { results(); } else { index += 1; question(); }
      }));
    }
    screen.appendChild(buttons);
    show(screen);
  }

  function results() {
    var total = 0, right = 0;
    questions.forEach(function (q, i) {
      if (!isChoice(q)) return;
      total += 1;
      if (isRight(i)) right += 1;
    });
    var screen = el('section', 'results');
    screen.appendChild(el('h1', 'text', exam.title || exam.name));
    var score = el('p', 'score', 'Score: ' + right + ' of ' + total);
    score.id = 'score';
    score.dataset.right = right;
    score.dataset.total = total;
    screen.appendChild(score);
    var review = el('ol', 'review');
    questions.forEach(function (q, i) {
      var item = el('li');
      if (isChoice(q)) {
        var ok = isRight(i);
        item.appendChild(el('span', 'mark ' + (ok ? 'right' : 'wrong'), ok ? 'Right: ' : 'Wrong: '));
      }
      item.appendChild(el('span', 'text', q.text));
      var answers = el('ul');
      rightAnswers(q).forEach(function (a) { answers.appendChild(el('li', 'text', a.text)); });
      item.appendChild(answers);
      review.appendChild(item);
    });
    screen.appendChild(review);
    var buttons = el('div', 'buttons');
    buttons.appendChild(button('Start again', 'secondary', function () {
      picks = picks.map(function (p) { return p.map(function () { return false; }); });
      checked = checked.map(function () { return false; });
      flipped = flipped.map(function () { return false; });
      start();
    }));
    screen.appendChild(buttons);
    show(screen);
  }

  start();
})();
)js";

}  // namespace quizmora
