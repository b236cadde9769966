// The preview page's script: sends the form to POST /v1/prints, shows the
// pages' pictures in order and offers both PDFs for download, or shows the
// component's message when the generation or a print fails. Every request
// carries the service's token when one was given, so the files are fetched
// here and handed to the page as object URLs.
'use strict';

(() => {
  const form = document.getElementById('order');
  const button = document.getElementById('print');
  const status = document.getElementById('status');
  const error = document.getElementById('error');
  const pages = document.getElementById('pages');
  const downloads = document.getElementById('downloads');
  const access = document.getElementById('access');
  const tokenInput = document.getElementById('token');
  const numbers = new Set(['oper', 'copias', 'desde', 'hasta']);
  const tokenKey = 'tipolaria-token';
  let objectUrls = [];

  tokenInput.value = sessionStorage.getItem(tokenKey) || '';
  if (tokenInput.value) access.hidden = false;

  function headers(extra) {
    const all = Object.assign({}, extra);
    if (tokenInput.value) all.Authorization = 'Bearer ' + tokenInput.value.trim();
    return all;
  }

  function order() {
    const fields = { pictures: true };
    for (const element of form.elements) {
      if (!element.name || element.value.trim() === '') continue;
      fields[element.name] = numbers.has(element.name) ? Number(element.value) : element.value;
    }
    return fields;
  }

  function reset() {
    objectUrls.forEach((url) => URL.revokeObjectURL(url));
    objectUrls = [];
    pages.replaceChildren();
    delete pages.dataset.state;
    error.hidden = true;
    downloads.hidden = true;
    for (const link of downloads.querySelectorAll('a')) {
      link.hidden = true;
      link.removeAttribute('href');
    }
    for (const element of form.elements) element.removeAttribute('aria-invalid');
  }

  // The answer's own words: the component's message when one of its
  // operations failed, otherwise the service's.
  function showError(answer) {
    const results = answer.results || {};
    const failed = Object.values(results).find((result) => result && result.Result === 'ERR');
    document.getElementById('error-message').textContent =
      failed ? failed.errorMessage : answer.error || 'The print failed.';
    document.getElementById('error-source').textContent =
      failed ? 'Source: ' + failed.source : answer.field ? 'Field: ' + answer.field : '';
    error.hidden = false;
    status.textContent = '';
    const field = answer.field && form.elements.namedItem(answer.field);
    if (field) {
      field.setAttribute('aria-invalid', 'true');
      if (field.closest('details')) field.closest('details').open = true;
      field.focus();
    } else {
      error.scrollIntoView({ block: 'center' });  // below the form on a phone
    }
  }

  async function objectUrl(path) {
    const response = await fetch(path, { headers: headers() });
    if (!response.ok) throw new Error(path + ': ' + response.status + ' ' + response.statusText);
    const url = URL.createObjectURL(await response.blob());
    objectUrls.push(url);
    return url;
  }

  async function offer(link, path, fileName) {
    if (!path) return;
    link.href = await objectUrl(path);
    link.download = fileName;
    link.hidden = false;
  }

  // A figure for the page, in the answer's order; its picture comes later.
  function figureFor(picture, total) {
    const figure = document.createElement('figure');
    const image = document.createElement('img');
    image.alt = 'Page ' + picture.page + ' of ' + total;
    const caption = document.createElement('figcaption');
    caption.textContent = 'Page ' + picture.page + ' of ' + total + ' (' + picture.document + ')';
    figure.append(image, caption);
    pages.append(figure);
    return image;
  }

  async function showPrint(answer) {
    const count = answer.pages;
    status.textContent = answer.iddtext + ': ' + count.cover + ' cover and item pages, ' +
      count.continuation + ' continuation pages; loading the pictures…';
    const stem = answer.iddtext.replace(/[^A-Za-z0-9._-]/g, '_');
    await Promise.all([
      offer(document.getElementById('cover-link'), answer.cover, stem + '-cover.pdf'),
      offer(document.getElementById('continuation-link'), answer.continuation,
            stem + '-continuation.pdf'),
    ]);
    downloads.hidden = false;
    const images = answer.pictures.map((picture) => figureFor(picture, count.total));
    status.scrollIntoView({ block: 'start' });  // the form fills a phone's screen
    await Promise.all(answer.pictures.map(async (picture, i) => {
      images[i].src = await objectUrl(picture.href);
      await images[i].decode();
    }));
    pages.dataset.state = 'done';
    const printed = answer.pictures.length;
    status.textContent = answer.iddtext + ': ' + printed + (printed === 1 ? ' page' : ' pages') +
      ', kept until ' + new Date(answer.expires_at).toLocaleTimeString() + '.';
  }

  form.addEventListener('submit', async (event) => {
    event.preventDefault();
    reset();
    if (tokenInput.value) sessionStorage.setItem(tokenKey, tokenInput.value.trim());
    button.disabled = true;
    status.textContent = 'Printing…';
    try {
      const response = await fetch('/v1/prints', {
        method: 'POST',
        headers: headers({ 'Content-Type': 'application/json' }),
        body: JSON.stringify(order()),
      });
      const answer = await response.json().catch(() => ({ error: response.statusText }));
      if (response.status === 401) {
        access.hidden = false;
        tokenInput.focus();
        showError({ error: 'This service needs its access token: enter it and print again.' });
      } else if (!response.ok) {
        showError(answer);
      } else {
        await showPrint(answer);
      }
    } catch (failure) {
      showError({ error: 'The service did not answer: ' + failure.message });
    } finally {
      button.disabled = false;
    }
  });
})();
