// La page de Gelim : l'éditeur, la ligne de commande, les messages, le dessin,
// les boîtes et le clavier. L'interprète est le module WebAssembly (gelim.js) :
// il appelle les fonctions de l'objet « page » quand il a besoin de l'élève.
'use strict';
(() => {
  const $ = (id) => document.getElementById(id);
  const CLE = 'gelim.';
  const SANS_NOM = 'Sans nom';
  // La part de la pile du navigateur laissée à l'évaluation : 2500 imbrications.
  const PILE = 2500 * 512;
  const ATTENTION = 'A  T  T  E  N  T  I  O  N';

  let M = null; // le module
  let occupe = false; // une commande tourne
  let mode = 0; // 0 ligne de commande, 1 éditeur
  let messagesCaches = true;
  let nom = SANS_NOM;
  let programmes = {}; // nom -> texte, gardés dans le navigateur
  let historique = [];
  let posHistorique = 0;
  let lignesMessages = []; // les lignes montrées (les dernières)
  let premiereLigne = 0; // numéro de la première ligne montrée
  let audio = null;
  const fileTouches = [];
  let attenteTouche = null;
  let finDeNote = null;
  const mouvements = [];
  let derniereImage = 0;

  const toile = $('toile');
  const ctx = toile.getContext('2d');
  let image = null;

  // ------------------------------------------------------------ stockage

  function lire(cle, defaut) {
    try {
      const v = localStorage.getItem(CLE + cle);
      return v === null ? defaut : JSON.parse(v);
    } catch (e) {
      return defaut;
    }
  }
  function ecrire(cle, valeur) {
    try {
      localStorage.setItem(CLE + cle, JSON.stringify(valeur));
    } catch (e) {
      etat('Le navigateur refuse de garder ce programme (stockage plein ?) : téléchargez-le.');
    }
  }
  function etat(t) {
    $('etat').textContent = t;
  }

  // Le texte de l'éditeur est gardé à chaque frappe, sous son nom.
  function garderEditeur() {
    ecrire('brouillon', editeur.value);
    ecrire('nom', nom);
    if (nom !== SANS_NOM) {
      programmes[nom] = editeur.value;
      ecrire('programmes', programmes);
    }
  }

  function listerMesProgrammes() {
    const s = $('mes-programmes');
    s.textContent = '';
    const noms = Object.keys(programmes).sort((a, b) => a.localeCompare(b, 'fr'));
    s.append(new Option(noms.length ? 'ouvrir…' : '(aucun)', ''));
    for (const n of noms) s.append(new Option(n, n));
  }

  // Les programmes de l'élève sont aussi des fichiers pour « charge ».
  function programmesVersFichiers() {
    try {
      M.FS.mkdir('/eleve');
    } catch (e) {}
    for (const [n, t] of Object.entries(programmes)) {
      if (n.includes('/')) continue;
      try {
        M.FS.writeFile('/eleve/' + n, t);
      } catch (e) {}
    }
  }

  // ------------------------------------------------------------ éditeur

  const editeur = $('editeur');
  let primitives = new Set();
  const MOTS_CLES = new Set(['if', 'else', 'while', 'do', 'for', 'repete', 'return', 'int']);
  const COUPE = ' \t\r()*+,\';[]{}/<>=!&|';
  let ligneFautive = -1;

  function echapper(t) {
    return t.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
  }
  function coupe(t, i) {
    const c = t[i];
    if (COUPE.includes(c)) return true;
    return c === '-' && i + 1 < t.length && /[A-Za-z]/.test(t[i + 1]);
  }
  function genreDuMot(m) {
    if (/^-?[0-9]/.test(m)) return 'k-nombre';
    const n = m.replace(/[èé]/g, 'e');
    if (MOTS_CLES.has(n)) return 'k-cle';
    if (primitives.has(n)) return 'k-prim';
    return '';
  }
  // La même coloration que l'éditeur du bureau : mots du vocabulaire, mots-clés,
  // nombres, listes entre crochets, commentaires « // ».
  function colorer() {
    const lignes = editeur.value.split('\n');
    let profondeur = 0;
    const html = [];
    lignes.forEach((l, numero) => {
      let h = '';
      let i = 0;
      while (i < l.length) {
        if (l[i] === '/' && l[i + 1] === '/') {
          h += '<span class="k-comment">' + echapper(l.slice(i)) + '</span>';
          break;
        }
        if (l[i] === '[' || l[i] === ']') {
          h += '<span class="k-liste">' + l[i] + '</span>';
          profondeur = Math.max(0, profondeur + (l[i] === '[' ? 1 : -1));
          i++;
          continue;
        }
        if (coupe(l, i)) {
          h += profondeur > 0 ? '<span class="k-liste">' + echapper(l[i]) + '</span>' : echapper(l[i]);
          i++;
          continue;
        }
        let j = i + 1;
        while (j < l.length && !coupe(l, j)) j++;
        const mot = l.slice(i, j);
        const g = profondeur > 0 ? 'k-liste' : genreDuMot(mot);
        h += g ? '<span class="' + g + '">' + echapper(mot) + '</span>' : echapper(mot);
        i = j;
      }
      html.push(numero === ligneFautive ? '<span class="fautive">' + (h || ' ') + '</span>' : h);
    });
    $('coloration').innerHTML = html.join('\n') + '\n';
    // Les lignes sont numérotées comme dans les messages d'erreur : la première est la ligne 0.
    $('numeros').innerHTML = lignes
      .map((_, n) => (n === ligneFautive ? '<span class="fautive">' + n + '</span>' : String(n)))
      .join('\n') + '\n';
    editeur.style.height = 'auto';
    editeur.style.height = editeur.scrollHeight + 'px';
    editeur.style.width = 'auto';
    editeur.style.width = Math.max(editeur.scrollWidth, $('couches').clientWidth) + 'px';
  }

  function changerDeProgramme(nouveauNom, texte) {
    nom = nouveauNom;
    editeur.value = texte;
    ligneFautive = -1;
    $('titre-editeur').textContent = nom;
    garderEditeur();
    listerMesProgrammes();
    colorer();
    editeur.setSelectionRange(0, 0);
    $('zone-editeur').scrollTo(0, 0);
  }

  // ------------------------------------------------------------ boîtes

  const boitesOuvertes = [];
  function boite(titre, corps, boutons, annulation) {
    return new Promise((resolve) => {
      const d = document.createElement('dialog');
      d.className = 'boite';
      const t = document.createElement('h3');
      t.className = 'titre';
      t.textContent = titre;
      const c = document.createElement('div');
      c.className = 'corps';
      c.append(...corps);
      const b = document.createElement('div');
      b.className = 'boutons';
      let fini = false;
      const finir = (v) => {
        if (fini) return;
        fini = true;
        d.close();
        d.remove();
        boitesOuvertes.pop();
        resolve(v);
      };
      let defaut = null;
      for (const [texte, valeur, parDefaut] of boutons) {
        const bouton = document.createElement('button');
        bouton.textContent = texte;
        bouton.addEventListener('click', () => finir(typeof valeur === 'function' ? valeur() : valeur));
        if (parDefaut) defaut = bouton;
        b.append(bouton);
      }
      d.addEventListener('cancel', (e) => {
        e.preventDefault();
        if (annulation !== undefined) finir(annulation);
      });
      d.append(t, c, b);
      document.body.append(d);
      boitesOuvertes.push(d);
      d.showModal();
      (corps.find((x) => x.querySelector && x.querySelector('input')) || defaut || b.firstChild).focus?.();
      const champ = c.querySelector('input');
      if (champ) champ.focus();
    });
  }
  function imageDeBoite(n) {
    const i = document.createElement('img');
    i.src = 'image0' + (n >= 1 && n <= 5 ? n - 1 : 5) + '.png';
    i.alt = '';
    return i;
  }
  function lignes(textes, classe) {
    const div = document.createElement('div');
    for (const t of textes) {
      const l = document.createElement('div');
      l.className = classe || 'ligne';
      l.textContent = t;
      div.append(l);
    }
    return div;
  }
  const OUI = ['O U I', 1, true];
  const NON = ['N O N', 2];
  const alerte = (titre, ...l) => boite(titre, [imageDeBoite(3), lignes(l)], [OUI], 1);
  const question = (titre, ...l) => boite(titre, [imageDeBoite(3), lignes(l)], [OUI, NON], 2);
  function saisie(titre, invite) {
    const champ = document.createElement('input');
    champ.type = 'text';
    champ.maxLength = 60;
    champ.size = 60;
    const corps = document.createElement('div');
    corps.append(lignes([invite]), champ);
    champ.addEventListener('keydown', (e) => {
      if (e.key === 'Enter') {
        e.preventDefault();
        champ.closest('dialog').querySelector('.boutons button').click();
      }
    });
    return boite(titre, [corps], [['OK', () => champ.value, true], ['Annuler', null]], null);
  }

  // ------------------------------------------------------------ ce que le cœur demande à la page

  const page = {
    arret: false,

    async boite(genre, t) {
      if (genre === 'erreur') {
        const table = document.createElement('table');
        for (let i = 2; i + 1 < t.length; i += 2) {
          const tr = table.insertRow();
          tr.insertCell().textContent = t[i];
          const c = tr.insertCell();
          c.className = 'texte';
          c.textContent = t[i + 1];
        }
        return boite(t[0], [imageDeBoite(+t[1]), table], [OUI], 1);
      }
      if (genre === 'ok') {
        // La boîte du démarrage : ses lignes gardent leurs tabulations et leurs colonnes.
        if (t[0].startsWith('C O M M E N C E R'))
          return boite(t[0], [imageDeBoite(3), lignes(t.slice(1), 'lignes-info')], [OUI], 1);
        return alerte(t[0], ...t.slice(1));
      }
      if (genre === 'ouinon') return question(t[0], ...t.slice(1));
      if (genre === 'message') return boite(t[0], [imageDeBoite(3), lignes([t[1]])], [['OK', 1, true]], 1);
      if (genre === 'pasapas')
        return boite(t[0], [imageDeBoite(3), lignes([t[1]])], [['Abandonner', 0], ['Réessayer', 1, true], ['Ignorer', 2]]);
      return 1;
    },

    saisie(t) {
      return saisie(t[0], t[1]);
    },

    // getchar : une touche ou un clic, ceux d'avant compris (ils attendaient dans la file).
    attendreTouche() {
      if (page.arret) return Promise.resolve(-1);
      if (fileTouches.length) return Promise.resolve(fileTouches.shift());
      etat('Le programme attend une touche du clavier (ou un clic sur le dessin)…');
      return new Promise((resolve) => {
        attenteTouche = (v) => {
          attenteTouche = null;
          etat('Le programme travaille… (Échap pour l\'arrêter)');
          resolve(v);
        };
      });
    },

    bip(exclamation) {
      note(exclamation ? 880 : 660, 120);
    },
    bipfd(f, d) {
      if (page.arret || d <= 0) return Promise.resolve();
      if (f >= 37 && f <= 32767) note(f, Math.min(d, 30000));
      return new Promise((resolve) => {
        const fin = () => {
          finDeNote = null;
          clearTimeout(minuteur);
          resolve();
        };
        const minuteur = setTimeout(fin, d);
        finDeNote = fin;
      });
    },
    joueSon(n) {
      let octets = null;
      for (const chemin of [n, '/eleve/' + n, '/exemples/' + n]) {
        try {
          octets = M.FS.readFile(chemin);
          break;
        } catch (e) {}
      }
      if (!octets) {
        page.bip(0);
        return Promise.resolve();
      }
      const url = URL.createObjectURL(new Blob([octets]));
      const a = new Audio(url);
      return new Promise((resolve) => {
        const fin = () => {
          URL.revokeObjectURL(url);
          finDeNote = null;
          a.pause();
          resolve();
        };
        a.onended = fin;
        a.onerror = () => {
          page.bip(0);
          fin();
        };
        finDeNote = fin;
        a.play().catch(a.onerror);
      });
    },

    titre(fenetre, t) {
      const h = { 0: 'titre-graphique', 1: 'titre-messages', 2: 'titre-editeur' }[fenetre];
      if (h) $(h).textContent = t;
    },

    souris() {
      if (!mouvements.length) return -1;
      const [x, y] = mouvements.shift();
      return (x << 16) | y;
    },
    tailleGraphique() {
      const d = $('defilement');
      return (Math.min(d.clientWidth, 0x7fff) << 16) | Math.min(d.clientHeight, 0xffff);
    },

    // La main au navigateur : il peint, voit le bouton d'arrêt et les touches.
    pause() {
      const maintenant = performance.now();
      if (maintenant - derniereImage > 50) {
        derniereImage = maintenant;
        return new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0)));
      }
      return new Promise((r) => {
        const canal = new MessageChannel();
        canal.port1.onmessage = () => r();
        canal.port2.postMessage(0);
      });
    },

    peindre(ptr, largeur, hauteur) {
      if (!image || image.width !== largeur) image = ctx.createImageData(largeur, hauteur);
      const source = new Uint32Array(M.HEAPU8.buffer, ptr, largeur * hauteur);
      const cible = new Uint32Array(image.data.buffer);
      // 0xFFRRGGBB vers les octets R, G, B, A du canevas.
      for (let i = 0; i < source.length; i++) {
        const p = source[i];
        cible[i] = 0xff000000 | (p & 0xff00) | ((p >> 16) & 0xff) | ((p & 0xff) << 16);
      }
      ctx.putImageData(image, 0, 0);
    },

    messages(texte, coupe) {
      lignesMessages = texte.split('\n');
      premiereLigne = coupe;
      const m = $('messages');
      m.value = (coupe ? '[… les ' + coupe + ' premières lignes ne sont plus montrées …]\n' : '') + texte;
      m.scrollTop = m.scrollHeight;
    },

    // Le texte dessiné : la police DejaVu Sans de 13 pixels, sans anticrénelage,
    // fond blanc et texte noir ; rend l'avance en pixels.
    texte(ptr, largeur, hauteur, x, y, t) {
      const c = page.toileTexte || (page.toileTexte = document.createElement('canvas'));
      const g = c.getContext('2d', { willReadFrequently: true });
      g.font = '13px GelimDejaVu';
      const m = g.measureText(t);
      const l = Math.round(m.width);
      const asc = Math.round(m.fontBoundingBoxAscent || 12);
      const h = asc + Math.round(m.fontBoundingBoxDescent || 3);
      if (l <= 0) return 0;
      c.width = l;
      c.height = h;
      g.font = '13px GelimDejaVu';
      g.fillStyle = '#fff';
      g.fillRect(0, 0, l, h);
      g.fillStyle = '#000';
      g.fillText(t, 0, asc);
      const d = g.getImageData(0, 0, l, h).data;
      const tas = new Uint32Array(M.HEAPU8.buffer, ptr, largeur * hauteur);
      for (let j = 0; j < h; j++) {
        const py = y - asc + j;
        if (py < 0 || py >= hauteur) continue;
        for (let i = 0; i < l; i++) {
          const px = x + i;
          if (px < 0 || px >= largeur) continue;
          tas[py * largeur + px] = d[(j * l + i) * 4] < 128 ? 0xff000000 : 0xffffffff;
        }
      }
      return l;
    },
  };

  // ------------------------------------------------------------ son

  function note(f, ms) {
    try {
      if (!audio) audio = new AudioContext();
      const o = audio.createOscillator();
      const g = audio.createGain();
      o.type = 'square';
      o.frequency.value = f;
      g.gain.value = 0.08;
      o.connect(g).connect(audio.destination);
      o.start();
      o.stop(audio.currentTime + ms / 1000);
    } catch (e) {}
  }

  // ------------------------------------------------------------ commandes

  function majBoutons() {
    $('b-executer').disabled = occupe;
    $('b-gommer').disabled = occupe;
    $('b-arreter').disabled = !occupe;
    for (const b of document.querySelectorAll('.deroulant button, #exemples, #mes-programmes')) b.disabled = occupe;
    editeur.readOnly = occupe;
    $('commande').readOnly = occupe;
    etat(occupe ? 'Le programme travaille… (Échap pour l\'arrêter)' : '');
  }

  function totalLignes() {
    return premiereLigne + lignesMessages.length;
  }

  // Une action du cœur, une à la fois ; une erreur interne recharge la page
  // (le programme de l'élève est gardé).
  async function lancer(action) {
    if (occupe || !M) return;
    occupe = true;
    page.arret = false;
    fileTouches.length = 0;
    mouvements.length = 0;
    majBoutons();
    try {
      await action();
    } catch (e) {
      console.error(e);
      garderEditeur();
      await alerte(ATTENTION, 'Gelim a rencontré une erreur interne et doit redémarrer.',
        'Ton programme est gardé : il sera là après le rechargement.', String(e && e.message || e));
      location.reload();
      return;
    } finally {
      occupe = false;
      window.gelimFinDeCommande = performance.now();
      majBoutons();
    }
  }
  const appel = (f, types, args) => M.ccall(f, null, types, args, { async: true });

  async function executer() {
    if (occupe || !M) return;
    if (!audio) note(440, 0);
    let texte;
    if (mode === 0) {
      texte = $('commande').value;
      if (texte.trim()) {
        historique = historique.filter((h) => h !== texte).concat([texte]).slice(-200);
        ecrire('historique', historique);
      }
      posHistorique = historique.length;
      $('commande').value = '';
    } else {
      texte = editeur.value;
      garderEditeur();
    }
    programmesVersFichiers();
    const debut = totalLignes();
    await lancer(() => appel('gelim_executer', ['string', 'number'], [texte, mode]));
    // La ligne fautive d'une erreur de syntaxe, marquée dans l'éditeur.
    ligneFautive = -1;
    for (let i = Math.max(0, debut - premiereLigne); i < lignesMessages.length; i++) {
      const m = /^Erreur dans le programme à la ligne : (\d+)$/.exec(lignesMessages[i]);
      if (m) ligneFautive = +m[1];
    }
    if (mode === 1) colorer();
    (mode === 0 ? $('commande') : editeur).focus();
  }

  // L'instant de la demande (celui de l'événement) et celui de la fin : les tests
  // mesurent ainsi le délai d'arrêt vu par l'élève.
  function arreter(e) {
    if (!occupe) return;
    window.gelimDemandeDArret = e && e.timeStamp ? e.timeStamp : performance.now();
    page.arret = true;
    if (attenteTouche) attenteTouche(-1);
    if (finDeNote) finDeNote();
  }

  function placer() {
    $('fen-ligne').hidden = mode !== 0;
    $('fen-editeur').hidden = mode !== 1;
    $('fen-messages').hidden = messagesCaches;
    $('b-ligne').setAttribute('aria-pressed', String(mode === 0));
    $('b-editeur').setAttribute('aria-pressed', String(mode === 1));
    $('b-messages').setAttribute('aria-pressed', String(!messagesCaches));
    $('f-nouveau').disabled = mode !== 1 || occupe;
    ecrire('mode', mode);
    ecrire('messagesCaches', messagesCaches);
    if (mode === 1) colorer();
    (mode === 0 ? $('commande') : editeur).focus({ preventScroll: true });
  }

  function telecharger(nomFichier, blob) {
    const a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = nomFichier;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  }

  function texteDuFichier(octets) {
    try {
      return new TextDecoder('utf-8', { fatal: true }).decode(octets);
    } catch (e) {
      return new TextDecoder('windows-1252').decode(octets);
    }
  }

  function dessinPng() {
    const ptr = M.ccall('gelim_pixels_dessin', 'number', [], []);
    const c = document.createElement('canvas');
    c.width = c.height = 1000;
    const g = c.getContext('2d');
    const im = g.createImageData(1000, 1000);
    const s = new Uint32Array(M.HEAPU8.buffer, ptr, 1000 * 1000);
    const d = new Uint32Array(im.data.buffer);
    for (let i = 0; i < s.length; i++) {
      const p = s[i];
      d[i] = 0xff000000 | (p & 0xff00) | ((p >> 16) & 0xff) | ((p & 0xff) << 16);
    }
    g.putImageData(im, 0, 0);
    c.toBlob((b) => telecharger('dessin.png', b), 'image/png');
  }

  async function basculer(quoi, actif, textes) {
    const [nomActif, nomInactif, info] = textes;
    const v = M.ccall('gelim_reglage', 'number', ['number'], [quoi]);
    if (!v) {
      if ((await question(ATTENTION, nomInactif, actif)) !== 1) return;
      if (info && messagesCaches) {
        await alerte('I  N  F  O  R  M  A  T  I  O  N', info, 'il faut regarder au bas de la fenêtre des messages !');
        messagesCaches = false;
        placer();
      }
      M.ccall('gelim_regler', null, ['number', 'number'], [quoi, 1]);
    } else {
      if ((await question(ATTENTION, nomActif, 'Faut-il vraiment le désactiver ?')) !== 1) return;
      M.ccall('gelim_regler', null, ['number', 'number'], [quoi, 0]);
    }
  }

  function brancher() {
    $('b-executer').onclick = executer;
    $('b-arreter').onclick = arreter;
    $('b-gommer').onclick = () => lancer(() => appel('gelim_gommer', ['number'], [mode]));
    $('b-ligne').onclick = () => {
      mode = 0;
      placer();
    };
    $('b-editeur').onclick = () => {
      mode = 1;
      placer();
    };
    $('b-messages').onclick = () => {
      messagesCaches = !messagesCaches;
      placer();
    };
    $('b-apropos').onclick = () =>
      alerte('A  P  R  O  P  O  S', 'Interpréteur   Gelim   Version 2.1',
        'La même tortue que sur le bureau, dans le navigateur.',
        'Vos programmes restent dans ce navigateur ; téléchargez-les pour les emporter.');

    const commande = $('commande');
    commande.addEventListener('keydown', (e) => {
      if (e.key === 'Enter') {
        e.preventDefault();
        executer();
      } else if (e.key === 'ArrowUp' && posHistorique > 0) {
        e.preventDefault();
        commande.value = historique[--posHistorique];
      } else if (e.key === 'ArrowDown') {
        e.preventDefault();
        posHistorique = Math.min(historique.length, posHistorique + 1);
        commande.value = historique[posHistorique] || '';
      }
    });

    editeur.addEventListener('input', () => {
      ligneFautive = -1;
      garderEditeur();
      colorer();
    });
    editeur.addEventListener('keydown', (e) => {
      if (e.key === 'Enter' && (e.ctrlKey || e.metaKey)) {
        e.preventDefault();
        executer();
      } else if (e.key === 'Tab' && !e.ctrlKey) {
        e.preventDefault();
        document.execCommand('insertText', false, '\t');
      }
    });
    window.addEventListener('resize', colorer);

    // Fichiers et programmes.
    const fermerMenus = () => document.querySelectorAll('details.menu').forEach((d) => d.removeAttribute('open'));
    $('f-nouveau').onclick = async () => {
      fermerMenus();
      if (mode !== 1) return;
      if ((await question(ATTENTION, 'Faut-il vraiment effacer', 'tout le contenu de l\'éditeur ?')) !== 1) return;
      // Rien ne se perd : un programme sans nom est gardé sous un nom daté.
      if (nom === SANS_NOM && editeur.value.trim()) {
        programmes['sans_nom_' + new Date().toISOString().slice(0, 19).replace(/[:T]/g, '-') + '.c'] = editeur.value;
        ecrire('programmes', programmes);
      }
      changerDeProgramme(SANS_NOM, '');
    };
    $('f-ouvrir').onclick = () => {
      fermerMenus();
      $('choix-fichier').click();
    };
    $('choix-fichier').onchange = async (e) => {
      const f = e.target.files[0];
      e.target.value = '';
      if (!f) return;
      const texte = texteDuFichier(new Uint8Array(await f.arrayBuffer()));
      mode = 1;
      changerDeProgramme(f.name, texte);
      placer();
    };
    $('f-telecharger').onclick = () => {
      fermerMenus();
      telecharger(nom === SANS_NOM ? 'programme.c' : nom, new Blob([editeur.value], { type: 'text/plain;charset=utf-8' }));
    };
    $('mes-programmes').onchange = (e) => {
      const n = e.target.value;
      if (!n) return;
      fermerMenus();
      mode = 1;
      changerDeProgramme(n, programmes[n]);
      placer();
    };
    $('f-supprimer').onclick = async () => {
      fermerMenus();
      if (nom === SANS_NOM || !(nom in programmes)) return;
      if ((await question(ATTENTION, 'Faut-il vraiment retirer « ' + nom + ' »', 'de la liste de mes programmes ?')) !== 1)
        return;
      delete programmes[nom];
      ecrire('programmes', programmes);
      nom = SANS_NOM;
      $('titre-editeur').textContent = nom;
      garderEditeur();
      listerMesProgrammes();
    };
    $('exemples').onchange = (e) => {
      const n = e.target.value;
      e.target.value = '';
      if (!n) return;
      mode = 1;
      changerDeProgramme(n, texteDuFichier(M.FS.readFile('/exemples/' + n)));
      placer();
    };
    $('f-png').onclick = () => {
      fermerMenus();
      dessinPng();
    };
    $('f-bmp').onclick = () => {
      fermerMenus();
      lancer(async () => {
        await M.ccall('gelim_sauver_bmp', 'number', ['string'], ['/tmp/dessin.bmp'], { async: true });
        telecharger('dessin.bmp', new Blob([M.FS.readFile('/tmp/dessin.bmp')], { type: 'image/bmp' }));
      });
    };
    $('f-image').onclick = async () => {
      fermerMenus();
      if ((await question(ATTENTION, 'Le dessin de la fenêtre graphique', 'va être effacé. Faut-il continuer ?')) !== 1)
        return;
      $('choix-image').click();
    };
    $('choix-image').onchange = async (e) => {
      const f = e.target.files[0];
      e.target.value = '';
      if (!f) return;
      M.FS.writeFile('/tmp/image.bmp', new Uint8Array(await f.arrayBuffer()));
      lancer(() => appel('gelim_charger_bmp', ['string'], ['/tmp/image.bmp']));
    };

    // Réglages.
    $('r-pasapas').onclick = () => {
      fermerMenus();
      basculer(1, 'Faut-il vraiment l\'activer ?', [
        'Le mode \'pas à pas\' est activé.', 'Le mode \'pas à pas\' est désactivé.', 'Pour voir l\'affichage du \'pas à pas\',']);
    };
    $('r-analyse').onclick = () => {
      fermerMenus();
      basculer(0, 'Faut-il vraiment l\'activer ?', [
        'L\'affichage de l\'analyse syntaxique est activé.', 'L\'affichage de l\'analyse syntaxique est désactivé.',
        'Pour voir l\'affichage de l\'analyse syntaxique,']);
    };
    $('r-chocs').onclick = async () => {
      fermerMenus();
      const clos = M.ccall('gelim_reglage', 'number', ['number'], [2]);
      const r = clos
        ? await question(ATTENTION, 'La tortue se déplace dans un cadre clos', 'Faut-il vraiment la libérer ?')
        : await question(ATTENTION, 'La tortue se déplace sans taper contre les bords du cadre.', 'Faut-il vraiment clore le cadre ?');
      if (r === 1) M.ccall('gelim_regler', null, ['number', 'number'], [2, clos ? 0 : 1]);
    };
    $('r-profondeur').onclick = async () => {
      fermerMenus();
      const t = await saisie('Profondeur d\'impression d\'un arbre.', '(6, de 3 à 12) Validez avec la touche \'Entrée\'');
      if (t === null) {
        M.ccall('gelim_message', null, ['string'], ['Erreur dans SaisirLaProfondeurDImpressionDesArbres']);
        return;
      }
      let n = parseInt(t, 10) || 0;
      if (n < 3) {
        await boite('A T T E N T I O N !', [lignes(['La profondeur minimale est de 3 !'])], [['OK', 1, true]], 1);
        n = 3;
      }
      M.ccall('gelim_regler', null, ['number', 'number'], [3, n]);
    };
    $('r-ajuster').onchange = (e) => $('defilement').classList.toggle('ajuste', e.target.checked);

    // Le dessin : souris (position du champ) et clics pour getchar.
    const pointDuDessin = (e) => {
      const r = toile.getBoundingClientRect();
      return [Math.floor(((e.clientX - r.left) * 1000) / r.width), Math.floor(((e.clientY - r.top) * 1000) / r.height)];
    };
    toile.addEventListener('mousemove', (e) => {
      const [x, y] = pointDuDessin(e);
      const d = $('defilement');
      // Ce que le cœur en tire (x + 12 - L/2, H/2 - (y + 21)) est le point du champ sous la souris.
      const px = x - 500 + Math.trunc(d.clientWidth / 2) - 12;
      const py = y - 500 + Math.trunc(d.clientHeight / 2) - 21;
      if (px < 0 || py < 0) return;
      mouvements.push([px, py]);
      if (mouvements.length > 64) mouvements.shift();
    });
    toile.addEventListener('mousedown', (e) => {
      if (!occupe) return;
      e.preventDefault();
      touche(e.button === 2 ? (2 << 16) | 2 : (1 << 16) | 1);
    });
    toile.addEventListener('contextmenu', (e) => occupe && e.preventDefault());

    // Pendant un programme : Échap l'arrête, les autres touches vont à getchar.
    window.addEventListener(
      'keydown',
      (e) => {
        if (!occupe || boitesOuvertes.length) return;
        if (e.key === 'Escape') {
          e.preventDefault();
          arreter(e);
          return;
        }
        if (e.ctrlKey || e.metaKey || e.altKey) return;
        e.preventDefault();
        const maj = e.getModifierState && e.getModifierState('CapsLock') ? 1 : 0;
        touche((maj << 8) | (e.keyCode & 0xff));
      },
      true,
    );
    window.addEventListener('beforeunload', garderEditeur);
  }

  function touche(v) {
    if (attenteTouche) attenteTouche(v);
    else if (fileTouches.length < 256) fileTouches.push(v);
  }

  function listerExemples() {
    const s = $('exemples');
    const noms = M.FS.readdir('/exemples').filter((n) => /\.[A-Za-z0-9]+$/.test(n) && !/\.(bmp|gif|wav)$/i.test(n));
    const themes = {};
    for (const n of noms) (themes[n.slice(n.lastIndexOf('.'))] ||= []).push(n);
    for (const t of Object.keys(themes).sort()) {
      const g = document.createElement('optgroup');
      g.label = t;
      for (const n of themes[t].sort()) g.append(new Option(n, n));
      s.append(g);
    }
  }

  // ------------------------------------------------------------ démarrage

  window.demarrerGelim = async () => {
    const t0 = performance.now();
    programmes = lire('programmes', {});
    historique = lire('historique', []);
    posHistorique = historique.length;
    mode = lire('mode', 0);
    messagesCaches = lire('messagesCaches', true);
    nom = lire('nom', SANS_NOM);
    editeur.value = lire('brouillon', '');
    $('titre-editeur').textContent = nom;
    brancher();
    try {
      await document.fonts.load('13px GelimDejaVu');
    } catch (e) {}
    M = await window.GelimModule({ page, print: () => {}, printErr: (t) => console.warn(t) });
    primitives = new Set(M.UTF8ToString(M.ccall('gelim_vocabulaire', 'number', [], [])).split(' ').filter((x) => x));
    listerExemples();
    listerMesProgrammes();
    placer();
    const d = $('defilement');
    d.scrollLeft = 500 - d.clientWidth / 2;
    d.scrollTop = 500 - d.clientHeight / 2;
    $('chargement').hidden = true;
    window.gelimPret = performance.now() - t0;
    await lancer(() => appel('gelim_demarrer', ['number'], [PILE]));
    (mode === 0 ? $('commande') : editeur).focus();
  };
})();
