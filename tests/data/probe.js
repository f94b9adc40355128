// What a page looks like to the engine, as JSON: the optional parts, the pictures drawn
// larger than they are, the boxes that stand empty, whether the order form shows and the text
// cell's share of its row.
JSON.stringify((() => {
  const shown = e => e.getClientRects().length > 0 && e.offsetParent !== null;
  const optional = [...document.querySelectorAll('[data-optional]')].map(e =>
      ({name: e.dataset.optional, shown: shown(e) && e.getBoundingClientRect().height > 0}));
  // The picture as drawn in its box: fill stretches it, contain and cover scale it, scale-down only shrinks it.
  const drawn = i => {
      const fit = getComputedStyle(i).objectFit;
      if (fit === 'fill' || i.naturalWidth === 0) return [i.width, i.height];
      const [x, y] = [i.width / i.naturalWidth, i.height / i.naturalHeight];
      const scale = fit === 'none' ? 1 : fit === 'cover' ? Math.max(x, y) : Math.min(x, y, fit === 'contain' ? x : 1);
      return [i.naturalWidth * scale, i.naturalHeight * scale];
  };
  const enlarged = [...document.images].filter(i => shown(i) && (i.naturalWidth === 0 ||
      drawn(i)[0] > i.naturalWidth + 0.5 || drawn(i)[1] > i.naturalHeight + 0.5))
      .map(i => i.getAttribute('src') + ' ' + drawn(i).map(Math.round).join('x'));
  const blank = [...document.body.querySelectorAll('*')].filter(e => {
      if (!shown(e) || e.matches('img, input, button, hr, br') || e.innerText.trim() !== '') return false;
      if ([...e.querySelectorAll('img, input:not([type=hidden]), button, hr')].some(shown)) return false;
      const s = getComputedStyle(e);
      return s.backgroundColor !== 'rgba(0, 0, 0, 0)' || parseFloat(s.borderTopWidth) > 0 ||
          parseFloat(s.borderBottomWidth) > 0 || s.boxShadow !== 'none';
  }).map(e => e.tagName + '.' + e.className);
  const box = document.querySelector('input[name^="B2|"]');
  const row = box && box.closest('tr');
  const form = document.querySelector('form');
  return {optional, enlarged, blank, orderForm: !!form && shown(form),
      textShare: row ? box.closest('td').getBoundingClientRect().width / row.getBoundingClientRect().width : 0};
})())
