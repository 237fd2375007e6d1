// The help's search page: reads the help page, finds a word in its text and
// lists each passage that holds it, linked to the section it belongs to.
// Everything happens in the page itself; nothing is fetched from a network.
'use strict';

(function () {
  const helpPage = 'hlp01.htm';
  const before = 30;
  const after = 60;

  const form = document.getElementById('search-form');
  const input = document.getElementById('query');
  const status = document.getElementById('status');
  const results = document.getElementById('results');
  let passages = null;

  // Full- and half-width forms and letter case do not matter: "ｸﾞﾗｲﾀﾞｰ",
  // "グライダー", "rle" and "ＲＬＥ" all match. A character is folded together
  // with the marks that follow it (a half-width voiced mark joins the kana
  // before it), and each folded character remembers where it came from, so
  // that the passage can be shown as written.
  const pieces = /[\s\S][\p{M}\uFF9E\uFF9F]*/gu;
  function fold(text) {
    let folded = '';
    const origin = [];
    for (const match of text.matchAll(pieces)) {
      const piece = match[0].normalize('NFKC').toLowerCase();
      for (let i = 0; i < piece.length; ++i)
        origin.push(match.index);
      folded += piece;
    }
    origin.push(text.length);
    return { folded: folded, origin: origin };
  }

  // Every block of text in the page body, under the nearest heading above it
  // that can be linked to.
  function collect(doc) {
    const found = [];
    let section = { title: doc.title, anchor: '' };
    const selector = 'main h2[id], main h3[id], main p, main li, main dt, main dd, ' +
                     'main figcaption, main td, main pre';
    for (const node of doc.querySelectorAll(selector)) {
      if (node.tagName === 'H2' || node.tagName === 'H3') {
        section = { title: node.textContent.trim(), anchor: node.id };
        continue;
      }
      const text = node.textContent.replace(/\s+/g, ' ').trim();
      if (text)
        found.push({ title: section.title, anchor: section.anchor, text: text });
    }
    return found;
  }

  function load(done) {
    const request = new XMLHttpRequest();
    request.open('GET', helpPage);
    request.onload = function () {
      // A page read from a file answers with status 0.
      if (request.status !== 0 && request.status !== 200) {
        done(false);
        return;
      }
      const doc = new DOMParser().parseFromString(request.responseText, 'text/html');
      passages = collect(doc);
      done(true);
    };
    request.onerror = function () { done(false); };
    try {
      request.send();
    } catch (error) {
      done(false);
    }
  }

  function snippet(text, start, end) {
    const span = document.createElement('span');
    span.className = 'snippet';
    const from = Math.max(0, start - before);
    const to = Math.min(text.length, end + after);
    span.append((from > 0 ? '…' : '') + text.slice(from, start));
    const mark = document.createElement('mark');
    mark.textContent = text.slice(start, end);
    span.append(mark, text.slice(end, to) + (to < text.length ? '…' : ''));
    return span;
  }

  function search(query) {
    results.replaceChildren();
    const wanted = fold(query.trim()).folded;
    if (!wanted) {
      status.textContent = '探したい言葉を入力してください。';
      return;
    }
    let count = 0;
    for (const passage of passages) {
      const text = fold(passage.text);
      const at = text.folded.indexOf(wanted);
      if (at < 0)
        continue;
      const item = document.createElement('li');
      const link = document.createElement('a');
      link.className = 'where';
      link.href = helpPage + (passage.anchor ? '#' + passage.anchor : '');
      link.textContent = passage.title;
      item.append(link, snippet(passage.text, text.origin[at], text.origin[at + wanted.length]));
      results.append(item);
      ++count;
    }
    status.textContent = count > 0
      ? '「' + query.trim() + '」は ' + count + ' か所に見つかりました。'
      : '「' + query.trim() + '」は見つかりませんでした。別の言葉や、短い言葉で試してみてください。';
  }

  function start() {
    form.addEventListener('submit', function (event) {
      event.preventDefault();
      search(input.value);
    });
    for (const hint of document.querySelectorAll('a[data-query]')) {
      hint.addEventListener('click', function (event) {
        event.preventDefault();
        input.value = hint.dataset.query;
        search(input.value);
      });
    }
    const asked = new URLSearchParams(window.location.search).get('q');
    if (asked) {
      input.value = asked;
      search(asked);
    } else {
      status.textContent = '言葉を入力して「検索」を押してください。';
    }
  }

  status.textContent = 'ヘルプを読み込んでいます…';
  load(function (loaded) {
    if (loaded) {
      start();
      document.documentElement.dataset.ready = 'true';
    } else {
      status.textContent = 'ヘルプの本文を読み込めなかったため、検索できません。目次からお探しください。';
      form.querySelector('button').disabled = true;
      document.documentElement.dataset.ready = 'false';
    }
  });
})();
