#pragma once
// The display copy's script for Copy (see DisplayCopy.h, PageCopy.h). A selection of
// the whole page is copied from the page file, and so is a selection that spans
// blocks not laid out: the script tells where its ends lie (PagePoint.h) and the
// part between them is made from the page file, so no more rows are laid out for a
// copy than are shown. A page that hides parts of itself (a collapsed section) is
// copied by the engine, as shown, since the page file holds those parts: the blocks
// the selection spans are laid out for it, up to a bound, and dropped again
// afterwards; a longer selection is refused.

namespace bkl {

inline constexpr char kDisplayCopyCopyScript[] = R"JS(<script>
(function () {
  var rows = window.bklRows, copier = null, connected = false, asked = null;
  // The most blocks laid out for the engine's copy of a page that hides parts.
  var mostLaidOut = 20;
  // The channel connects a moment after the page shows: a copy asked for before waits for it.
  function connect() {
    if (connected || !window.QWebChannel || !window.qt || !qt.webChannelTransport) return;
    connected = true;
    new QWebChannel(qt.webChannelTransport, function (channel) {
      copier = channel.objects.bklPageCopy;
      if (asked) asked();
    });
  }
  function ask(call) {
    if (copier) call();
    else asked = call;
  }
  // Whether the range holds every text shown on the page (the blocks' markup and the sizer aside).
  function whole(r) {
    var walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT), n;
    while ((n = walker.nextNode())) {
      var p = n.parentElement;
      if (!/\S/.test(n.data) || !p || p.closest('script, style, .bkl-sizer') || !p.getClientRects().length) continue;
      var before = r.comparePoint(n, 0) < 0, after = r.comparePoint(n, n.length) > 0, outside = '';
      if (before) outside += n.data.slice(0, n === r.startContainer ? r.startOffset : n.length);
      if (after) outside += n.data.slice(n === r.endContainer ? r.endOffset : 0);
      if (/\S/.test(outside)) return false;
    }
    return true;
  }
  function hidesParts() {
    return Array.prototype.some.call(document.querySelectorAll('body [style]'), function (e) {
      return !e.closest('[data-table]') && getComputedStyle(e).display == 'none';
    });
  }
  function counted(text) { return text.replace(/[ \t\n\r\f]/g, '').length; }
  // The point as the page file's reader finds it: [table, row, characters other than blanks
  // from that row's start], or [-1, 0, those from the page's start, the long tables left out].
  function point(node, offset) {
    var e = node.nodeType == 1 ? node : node.parentElement, block = e && e.closest('div.bkl-rows');
    var range = document.createRange();
    if (block) {
      var table = block.getAttribute('data-table'), row = 0;
      for (var i = 0; rows.blocks[i] !== block; i++)
        if (rows.blocks[i].getAttribute('data-table') == table) row += +rows.blocks[i].getAttribute('data-rows');
      if (!rows.shown(block)) return [+table, row, 0];
      range.setStart(block.lastElementChild, 0);
      range.setEnd(node, offset);
      return [+table, row, counted(range.toString())];
    }
    var count = 0, n;
    var walker = document.createTreeWalker(document.documentElement, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT, {
      acceptNode: function (n) {
        if (n.nodeType == 3) return NodeFilter.FILTER_ACCEPT;
        return n.matches('script, style, title, textarea, .bkl-sizer, .bkl-rows') ? NodeFilter.FILTER_REJECT
                                                                                   : NodeFilter.FILTER_SKIP;
      }
    });
    range.setStart(document.documentElement, 0);
    range.setEnd(node, offset);
    while ((n = walker.nextNode()) && range.comparePoint(n, 0) <= 0)
      count += counted(n === node ? n.data.slice(0, offset) : n.data);
    return [-1, 0, count];
  }
  document.addEventListener('copy', function (e) {
    var s = window.getSelection();
    if (!s.rangeCount || s.isCollapsed) return;
    var r = s.getRangeAt(0), hidden = hidesParts(), unseen = [];
    connect();
    if (connected && !hidden && whole(r)) {
      e.preventDefault();
      ask(function () { copier.copyWholePage(); });
      return;
    }
    for (var i = 0; i < rows.blocks.length; i++)
      if (!rows.shown(rows.blocks[i]) && r.intersectsNode(rows.blocks[i])) unseen.push(rows.blocks[i]);
    if (!unseen.length) return;
    if (connected && !hidden) {
      var from = point(r.startContainer, r.startOffset), to = point(r.endContainer, r.endOffset);
      e.preventDefault();
      ask(function () { copier.copyPart(from[0], from[1], from[2], to[0], to[1], to[2]); });
      return;
    }
    if (unseen.length > mostLaidOut) {
      e.preventDefault();
      if (connected) ask(function () { copier.refuseLargeCopy(); });
      return;
    }
    unseen.forEach(rows.show);
    window.setTimeout(rows.later, 0);
  });
  connect();
  window.addEventListener('load', connect);
})();
</script>)JS";

} // namespace bkl
