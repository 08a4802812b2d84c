#pragma once
// The display copy's script for Copy (see DisplayCopy.h, PageCopy.h): a selection
// of the whole page is copied from the page file, asked for through the web
// channel; the blocks a partial selection spans that are not laid out are laid out
// before the engine copies it, and dropped again afterwards. A page that hides
// parts of itself (a collapsed section) is copied by the engine, as shown.

namespace bkl {

inline constexpr char kDisplayCopyCopyScript[] = R"JS(<script>
(function () {
  var rows = window.bklRows, copier = null, connected = false, asked = false;
  // The channel connects a moment after the page shows: a copy asked for before waits for it.
  function connect() {
    if (connected || !window.QWebChannel || !window.qt || !qt.webChannelTransport) return;
    connected = true;
    new QWebChannel(qt.webChannelTransport, function (channel) {
      copier = channel.objects.bklPageCopy;
      if (asked) copier.copyWholePage();
    });
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
  document.addEventListener('copy', function (e) {
    var s = window.getSelection();
    if (!s.rangeCount || s.isCollapsed) return;
    var r = s.getRangeAt(0);
    connect();
    if (connected && whole(r) && !hidesParts()) {
      e.preventDefault();
      if (copier) copier.copyWholePage();
      else asked = true;
      return;
    }
    var laid = false;
    for (var i = 0; i < rows.blocks.length; i++)
      if (!rows.shown(rows.blocks[i]) && r.intersectsNode(rows.blocks[i])) {
        rows.show(rows.blocks[i]);
        laid = true;
      }
    if (laid) window.setTimeout(rows.later, 0);
  });
  connect();
  window.addEventListener('load', connect);
})();
</script>)JS";

} // namespace bkl
